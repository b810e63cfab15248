// The two warnings the file dialogs ask before the user changes a mode: moving a file through
// the client instead of leaving it to the server, and overwriting an existing file.
#pragma once

class QWidget;

namespace file_mode_questions {

// "client mode information"; with load the text of the dialogs that read a file. True on Yes.
// No is the default answer.
bool client_mode(QWidget *parent, bool load = false);
// "replace mode information"; true on Yes, No being the default answer.
bool replace_mode(QWidget *parent);

} // namespace file_mode_questions
