#pragma once

// Opening a database file that may be anything: the check of its first pages before the engine
// sees it (the engine writes to what it opens), and the user's texts for what the engine
// refuses at the open. Each text says what happened to which file and what to do about it; the
// engine's own words go to the details of the message box.

#include "platform/ib/IBDatabase.h"

// A file that is plainly no database the engine can open; the file was only read.
KV_DECLARE_EXCEPTION(EDataBaseFileError, Exception)

// Raises EDataBaseFileError when the first pages of AFileName show that it is empty, no
// database, a database of another structure version, cut short or damaged.
void CheckDataBaseFile(const QString& AFileName);

// The user's text for an engine error raised while opening AFileName.
QString DataBaseOpenErrorText(const EIBError& AError, const QString& AFileName);

// Shows an error of opening AFileName in the system error box (caption: the exception's class
// name): an engine error with the text above and the engine's message as details, any other
// exception with its message.
void ShowDataBaseOpenError(const Exception& AError, const QString& AFileName, bool AOwnedByApp);
