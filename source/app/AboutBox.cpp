// The about box: the program's name on black, in the Apple II font when it is available.
// The colours come from the text itself, so the platform's theme cannot change them.
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
    box.setText(QStringLiteral("<body style=\"background-color: black; color: white;\">"
                               "<p style=\"font-size:14pt; font-weight:bold;\">orvel</p>"
                               "<p>Apple II DHGR / HGR picture viewer and editor</p></body>"));
    box.setFont(font);
    dialogs->showMessageBox(box);
}
