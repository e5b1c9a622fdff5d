// Icons of the "Tools" dock, one for each tool, drawn in a given ink.
#pragma once

#include "edit/ToolStroke.h"

#include <QColor>
#include <QIcon>

QIcon toolIcon(Tool tool, const QColor& ink);
