/* Identifiers of the styles dialogs (included by resource.h). */
#ifndef SCRIVLET_STYLES_DIALOG_IDS_H
#define SCRIVLET_STYLES_DIALOG_IDS_H

#endif
