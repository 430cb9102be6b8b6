// Repainting: what DIALOG_FLUSH puts on screen.
#include "dialog/dialog_internal.h"
#include "dialog/widgets.h"

namespace dialog_qt {

void Flush(DialogImpl* impl) {
    if (impl && impl->window) impl->window->repaint();
}

}  // namespace dialog_qt
