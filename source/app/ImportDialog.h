// The small dialog of "Import Picture...": what to make (hi-res or double hi-res), how to dither
// and how to fit the image; Import and Cancel. The preview is the picture view itself.
#pragma once

#include "import/Import.h"
#include "import/ScreenMapping.h"

#include <QDialog>

class QComboBox;
class QPushButton;

class ImportDialog : public QDialog {
    Q_OBJECT

public:
    explicit ImportDialog(QWidget* parent);

    // The choices made: target and dither (the pass is the caller's), and the fit.
    ImportOptions options() const;
    FitMode fit() const;

    QComboBox* targetBox;
    QComboBox* ditherBox;
    QComboBox* fitBox;
    QPushButton* importButton;

signals:
    void choicesChanged();
};
