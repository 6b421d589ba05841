// The desktop dialogs of the graph windows, as the hooks the graph window
// factory hands to every window it opens. Each runs modally over `parent`.
#pragma once

#include "graph/WindowDialogs.h"

class QWidget;

namespace qt {

graph::WindowDialogs GraphDialogs(QWidget* parent);

}  // namespace qt
