// orvel-convert's command line as a plain struct, and the parser that fills it.
// Every usage error is found here, before the first input is touched, so bad usage writes nothing.
#pragma once

#include "convert/RenderSettings.h"

#include <QString>
#include <QStringList>

#include <vector>

enum class OutputFormat { Png, Hgr, Dhgr };

// raw: the 562 x 192 render; exported: the 562 x 384 "Save as PNG" image; half, normal and
// double: the picture as the view shows it at that size and the aspect in force.
enum class OutputSize { Raw, Exported, Half, Normal, Double };

struct ConvertOptions {
    QStringList inputs;
    QString output;                 // -o as given; empty: every output beside its input
    bool outputIsDirectory = false; // -o names an existing directory
    OutputFormat format = OutputFormat::Png;
    OutputSize size = OutputSize::Exported;
    RenderSettings settings;
    bool toDHGR = false;
    std::vector<bool> shiftsLeft; // every --shift in order, true for left
};

enum class CommandAction { Convert, ShowHelp, ShowVersion, UsageError };

struct CommandLine {
    CommandAction action = CommandAction::UsageError;
    ConvertOptions options;
    QString error; // the usage error, without the program's name
};

// `arguments` starts with the program's name, as argv does.
CommandLine parseCommandLine(const QStringList& arguments);

// What --help and --version print.
QString helpText();
QString versionText();
