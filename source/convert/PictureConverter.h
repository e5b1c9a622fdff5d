// The conversion of one input after another through one pipeline: one graphics record and one
// 562 x 192 image for the whole batch, so a batch costs its renders and encodings, nothing more.
#pragma once

#include "convert/ConvertOptions.h"
#include "core/GlobalsRec.h"

#include <QByteArray>
#include <QImage>
#include <QSet>
#include <QString>

struct ConversionResult {
    bool ok = false;
    QString output; // the file written, or the one that would have been
    QString error;  // why nothing was written, without the input's path
};

// Needs a QGuiApplication (fonts for text screens, painting for the shown sizes).
class PictureConverter {
public:
    explicit PictureConverter(const ConvertOptions& options);
    ~PictureConverter();
    PictureConverter(const PictureConverter&) = delete;
    PictureConverter& operator=(const PictureConverter&) = delete;

    // Loads, edits and renders `input` and writes its output atomically. A failure leaves every
    // file as it was.
    ConversionResult convert(const QString& input);

private:
    QString load(const QString& input);
    void edit();
    QByteArray outputBytes(QString& error);
    QImage picture();
    QString overwriteProblem(const QString& input, const QString& output) const;

    ConvertOptions options_;
    ORVEL_GlobalsRec rec_;
    QImage offscreen_;
    QSet<QString> protectedKeys_; // inputs and their companions: never an output
    QSet<QString> writtenKeys_;   // outputs of earlier inputs: never written twice
};
