// Plain-text forms of a layout file for `qvlayout dump` and `qvlayout check`.
#pragma once

#include <string>

#include "design/layout_stream.h"

namespace qvlayout {

// One value as dump prints it: integers, "quoted strings", identifiers,
// True/False, [set, members], <binary N bytes>, (list, items).
std::string valueText(const design::Value& value);

// Every list of a layout stream: "list N" lines, each element as CLASS NAME
// with its properties indented below in stored order, value lists as
// indented values. Throws design::LayoutError.
std::string dumpLayout(const std::string& bytes);

// Reads the file as the program does, through the element classes and the
// layout filer, with the lists a file of this extension holds (".R": three element lists and the
// settings list; otherwise one element list). Needs an application object.
// Throws design::LayoutError.
void checkLayout(const std::string& path);

}  // namespace qvlayout
