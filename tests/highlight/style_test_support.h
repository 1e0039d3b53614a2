// Styles as style-file records: "X,name\nC,Keyword,0,0,ff\nS,if" is one style of one class.
#pragma once

#include "core/scratch_folder.h"
#include "highlight/style_file.h"
#include "highlight/style_model.h"

#include <gtest/gtest.h>

#include <string>

namespace scrivlet {

inline uint32_t StyleOf(const std::string &records)
{
    ScratchFolder scratch;
    bool bad = false;
    EXPECT_EQ(ReadStyleFile(scratch.Put("style.dat", records).c_str(), false, true, &bad), 1);
    EXPECT_FALSE(bad) << records;
    return FirstStyle()->id;
}

} // namespace scrivlet
