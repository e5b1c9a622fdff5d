// Seeded random input on the grid: keys, clicks, drags, pastes, palette clicks, the switches and
// the edit commands, with the grid's invariants and the text round trip checked after every step.
#include "EditorTestSupport.h"
#include "support/TestSeeds.h"

#include <random>

namespace {

const char* const kKeys[] = {"Left",   "Right", "Up",     "Down",      "Home", "End",
                             "Return", "Enter", "Delete", "Backspace", "A",    "Space"};
const char* const kModifiers[] = {"", "", "", "", "", "", "+", "^"}; // Shift, Meta: 1 in 8
const QString kPieces[] = {
    "HELLO",         "A\r\nB",
    "\n\n\n",        QString(100, 'x'),
    "\uE000\uE001 ", "line\nline\nline\nline\nline\nline\nline\nline\nline\nline\nline"};

// One random step: mostly a step of the scripts (see play()), now and then a switch or Clear.
void randomStep(TextScreenEditor* editor, std::mt19937& random) {
    const auto pick = [&](std::size_t count) { return int(random() % count); };
    const int columns = editor->grid->columns;
    const auto cell = [&] { return QString("%1,%2").arg(pick(24)).arg(pick(columns + 1)); };
    switch (pick(12)) {
    case 0: // any printable letter, '|' too, which a script cannot type
        return QTest::keyClicks(editor->grid, QString(QChar(0x20 + pick(95))));
    case 1:
        return play(editor, QString("k") + kModifiers[pick(8)] + kKeys[pick(std::size(kKeys))]);
    case 2:
        return play(editor, (pick(8) ? "@" : "S@") + cell());
    case 3:
        return play(editor, "@" + cell() + ">" + cell());
    case 4:
        return play(editor, "v" + kPieces[pick(std::size(kPieces))]);
    case 5:
        return play(editor, "m" + QString::number(pick(34)));
    case 6:
        return play(editor, QString("uxca")[pick(4)]);
    case 7:
        return pick(8) ? play(editor, "a") : editor->grid->doClear();
    case 8:
        return pick(20) ? void() : editor->col80Check->click();
    case 9:
        return pick(20) ? void() : play(editor, "i");
    default:
        return play(editor, "k+Right");
    }
}

// Empty when something is wrong with the grid's state, else what is wrong.
std::string brokenInvariant(const TextGridWidget* grid, TextGridWidget* scratch) {
    if (grid->rows.size() != TextGridWidget::kRows) return "not 24 rows";
    if (grid->cursorRow < 0 || grid->cursorRow >= TextGridWidget::kRows) return "cursor row";
    if (grid->cursorCol < 0 || grid->cursorCol > grid->columns) return "cursor column";
    if ((grid->anchorRow >= 0) != (grid->anchorCol >= 0)) return "half an anchor";
    if (grid->anchorRow >= TextGridWidget::kRows || grid->anchorCol > grid->columns)
        return "anchor outside the grid";
    // The round trip is exact, except that text beyond the last column (kept from 80 columns)
    // is cut when read back.
    scratch->setText(grid->getText());
    for (int row = 0; row < TextGridWidget::kRows; ++row)
        if (scratch->rows[row] != grid->rows[row].left(grid->columns))
            return "setText(getText()) changes row " + std::to_string(row) + " of " +
                   grid->getText().toStdString();
    if (scratch->columns != grid->columns) return "setText(getText()) changes the columns";
    return {};
}

} // namespace

TEST_F(EditorTest, RandomInputKeepsTheGridWhole) {
    editor->show();
    TextGridWidget scratch;
    for (const quint32 seed : testSeeds(20261207)) {
        SCOPED_TRACE(testing::Message() << "seed " << seed << " (ORVEL_TEST_SEED repeats it)");
        editor->setText(QString());
        std::mt19937 random(seed);
        for (int step = 0; step < 100000; ++step) {
            randomStep(editor, random);
            const std::string broken = brokenInvariant(editor->grid, &scratch);
            ASSERT_EQ(broken, "") << "after step " << step;
        }
    }
}
