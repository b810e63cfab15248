// How the configuration reaches the editors: the style an editor gets from the record, handing
// it to every open editor after the record changed, and keeping the font sizes the user chose
// in one editor with the keyboard.
#pragma once

#include "editor/editor_style.h"

class editor;
struct sys_config_record;

// The active theme's entries and the editing and completion switches of a record.
editor_style editor_style_of(const sys_config_record &record);

// Gives every editor of the program the style of `sys_config`. With `relayout` each also sizes
// itself and places its cursor anew, as after a change of the metrics.
void restyle_editors(bool relayout);

// Takes the font sizes of `from` into the active theme of `sys_config` and gives the others the
// record's style, so that every editor keeps the same grid and the sizes outlive the session.
void keep_font_sizes(const editor &from);
