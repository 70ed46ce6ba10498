#pragma once

// The "Открыть сайт" button of the cards whose records carry a web address (makers,
// suppliers): the address the editor holds, saved or not, goes to the desktop when it is a web
// or mail address (WebAddressUrl); anything else is refused with a message.

#include "core/KVCommon.h"

#include <QString>

// Opens the web address AText; an empty text does nothing.
void OpenSite(const QString& AText);

// The web search of the list windows: asks for a site of the data module's web-search list and
// opens the search for AName there (percent-encoded, so that blanks, "&", "#" and Cyrillic
// letters reach the site as the name).
void SearchNameInWeb(const QString& AName);

// Adds the record to the favourites and says whether it did.
void AddRecordToFavorites(TKVItemType AItemType, quint32 ADBId, quint32 AId);
