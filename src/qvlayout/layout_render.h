// qvlayout render: a layout's first element list printed to a PDF file on a
// Letter page, origin at the page's top-left corner, the data elements
// showing a one-record data set made of the given fields.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace qvlayout {

using RecordFields = std::vector<std::pair<std::string, std::string>>;  // FIELD, value (UTF-8)

// Throws design::LayoutError when the layout cannot be read; false when the PDF cannot be written.
bool renderLayout(const std::string& bytes, const std::string& pdfPath, const RecordFields& record, int ppi);

}  // namespace qvlayout
