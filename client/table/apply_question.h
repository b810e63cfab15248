// The question a window asks before it applies a grid's pending edits: an update names its row
// by time point, so an edit of one row can change others that share it.
#pragma once

class QWidget;
class tab_data_model;

// True when the edits may go: no update reaches rows besides its own, or the user answered Yes
// to the question (No is the default answer).
bool confirm_shared_updates(QWidget *parent, const tab_data_model &model);
