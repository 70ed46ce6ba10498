#pragma once

// Help by topic keyword: every window opens its page of the program's help through
// ShowHelpTopic with its keyword.

#include <QString>

class TfrmHelp;

// Shows the page ATopic of the program's help in the help window: the open window is reused
// and brought to the front, else a new one opens. A keyword without a page shows a message
// that says so.
void ShowHelpTopic(const QString& ATopic);
// Shows the contents page of the help.
void ShowHelpContents();
// The open help window, nullptr when none is open.
TfrmHelp* HelpWindow();
