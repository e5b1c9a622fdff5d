// Three lists and two buttons; every change of a list is announced at once, so the preview can
// follow it.
#include "app/ImportDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>

namespace {

QComboBox* listOf(const QStringList& items, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->addItems(items);
    return box;
}

} // namespace

ImportDialog::ImportDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Import Picture"));
    targetBox = listOf({tr("Double Hi-Res"), tr("Hi-Res")}, this);
    ditherBox = listOf({tr("Best"), tr("None"), tr("Floyd-Steinberg"), tr("Atkinson"), tr("Jarvis"),
                        tr("Stucki"), tr("Sierra")},
                       this);
    fitBox = listOf({tr("Fit"), tr("Fill"), tr("Stretch")}, this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    importButton = buttons->addButton(tr("Import"), QDialogButtonBox::AcceptRole);
    importButton->setDefault(true);
    auto* form = new QFormLayout(this);
    form->addRow(tr("Make:"), targetBox);
    form->addRow(tr("Dither:"), ditherBox);
    form->addRow(tr("Fit:"), fitBox);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QComboBox* box : {targetBox, ditherBox, fitBox})
        connect(box, &QComboBox::currentIndexChanged, this, &ImportDialog::choicesChanged);
}

ImportOptions ImportDialog::options() const {
    ImportOptions options;
    options.target = targetBox->currentIndex() == 1 ? ImportTarget::Hgr : ImportTarget::Dhgr;
    options.dither = AllDitherMethods()[static_cast<std::size_t>(ditherBox->currentIndex())];
    return options;
}

FitMode ImportDialog::fit() const {
    return static_cast<FitMode>(fitBox->currentIndex());
}
