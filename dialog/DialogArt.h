#pragma once
// The dialog's own drawings, made when the dialog opens: the monitor the preview stands in, the
// four tool icons and the three page icons.

#include <QIcon>
#include <QPixmap>
#include <QRect>

namespace corvane {

// The monitor drawing, 178 x 160 pixels. Its screen is MonitorScreen.
QPixmap MonitorPicture();
// Where the screen lies in the drawing: the preview covers it.
inline constexpr QRect MonitorScreen{11, 15, 152, 112};

// The 16 x 16 tool icons, in this order.
enum class TToolIcon { CheckAll, UncheckAll, CheckSelected, UncheckSelected };
QIcon ToolIcon(TToolIcon icon);

// The 32 x 32 icons of the pages, in this order.
enum class TPageIcon { Options, GetMore, About };
QIcon PageIcon(TPageIcon icon);

}  // namespace corvane
