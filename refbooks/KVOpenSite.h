#pragma once

// The "Открыть сайт" button of the cards whose records carry a web address (makers,
// suppliers): the address the editor holds, saved or not, goes to the desktop when it is a web
// or mail address (WebAddressUrl); anything else is refused with a message.

#include <QString>

// Opens the web address AText; an empty text does nothing.
void OpenSite(const QString& AText);
