// What an element records on a page, without a printer: the drawing
// operations of the first page of a job run to a page stream.
#pragma once

#include <functional>
#include <vector>

#include "platform/print/page_stream.h"
#include "platform/print/print_job.h"

namespace designtest {

inline print::Page printedOps(const std::function<void(print::Canvas&)>& draw) {
  print::PrintJob job;
  job.onPrint = draw;
  print::PageStream stream;
  job.runToStream(stream);
  return stream.pageCount() ? stream.page(0) : print::Page{};
}

// The operations of one kind, in order.
template <class Op>
std::vector<Op> opsOf(const print::Page& page) {
  std::vector<Op> out;
  for (const print::Op& op : page.ops)
    if (const auto* o = std::get_if<Op>(&op)) out.push_back(*o);
  return out;
}

}  // namespace designtest
