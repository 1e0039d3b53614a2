/* Identifiers of the small dialogs (included by resource.h). */
#ifndef SCRIVLET_SMALL_DIALOG_IDS_H
#define SCRIVLET_SMALL_DIALOG_IDS_H

#endif
