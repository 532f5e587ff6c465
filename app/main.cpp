// tab97: the desktop calculator of water and steam properties.
#include <QApplication>

#include "app/diagr.h"
#include "app/hlavniform.h"
#include "app/platform.h"
#include "props/solver.h"
#include "res/texts.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(tab97::texts::ApplicationTitle());
  const tab97::SystemPlatform platform;
  tab97::ThlavniForm hlavniForm(platform, &if97::SolveState);
  // The diagram window: created at start, its chart loaded at the main window's
  // first activation, shown modally from the menu entry "Diagram".
  tab97::TDiagramForm DiagramForm(hlavniForm.State());
  hlavniForm.SetChartHost(&DiagramForm);
  hlavniForm.CentreOnScreen();
  hlavniForm.show();
  return QApplication::exec();
}
