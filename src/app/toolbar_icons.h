// The pictures of the main window's toolbar buttons, drawn in code: a sheet
// of labels, a letter, an envelope, a report, a table, a magnifier, a funnel
// and a question mark.
#pragma once

#include <QIcon>
#include <QString>

namespace app {

// `kind`: "Labels", "Letters", "Envelopes", "Reports", "Browse", "Search", "Filter" or "?".
QIcon toolbarIcon(const QString& kind);

}  // namespace app
