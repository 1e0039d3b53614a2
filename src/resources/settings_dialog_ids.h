/* Identifiers of the settings dialogs (included by resource.h). */
#ifndef SCRIVLET_SETTINGS_DIALOG_IDS_H
#define SCRIVLET_SETTINGS_DIALOG_IDS_H

#endif
