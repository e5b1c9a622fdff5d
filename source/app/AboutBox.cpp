// The about box: the program's name in white on black, in the Apple II font when it is
// available. The box's own style sheet paints the black, so no platform theme can change it.
#include "app/MainWindow.h"

#include "text/AppleIIFont.h"

#include <QMessageBox>

void MainWindow::onAbout() {
    QFont font;
    const QString family = appleIIFontFamily();
    if (!family.isEmpty()) font = QFont(family, 10);
    QMessageBox box(this);
    box.setWindowTitle(tr("About orvel"));
    box.setTextFormat(Qt::RichText);
    box.setText(QStringLiteral("<p style=\"font-size:14pt; font-weight:bold;\">orvel</p>"
                               "<p>Apple II DHGR / HGR picture viewer and editor</p>"));
    box.setStyleSheet(QStringLiteral("QMessageBox { background-color: black; }"
                                     "QMessageBox QLabel { color: white; background: black; }"));
    box.setFont(font);
    dialogs->showMessageBox(box);
}
