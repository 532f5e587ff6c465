// The designer's icons, drawn here so that they look the same on every system:
// the toolbar's commands and the palette's graphic elements.
#pragma once

#include <QIcon>

namespace report {

class DesignerIcons {
 public:
  enum Command {
    kNew, kSave, kDelete, kUndo, kRedo, kPreview, kPrint, kCut, kCopy, kPaste, kElementSettings,
    kTemplateSettings, kEnvironment, kClose, kSendBack, kBringFront, kAlignAll, kAlignSelected,
    kAlignLeft, kAlignCenter, kAlignRight, kFont,
  };
  static QIcon Of(Command command);
  // The icon of a palette entry that places an element of `kind`.
  static QIcon OfKind(int kind);
  // The icon of a text frame side (1 left, 2 top, 4 right, 8 bottom).
  static QIcon OfFrameSide(int bit);
};

}  // namespace report
