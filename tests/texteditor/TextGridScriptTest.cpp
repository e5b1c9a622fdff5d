// The grid's editing, keys and mouse, one worked example a row: a screen, real input played on
// it, and the screen text, cursor and selected text that must follow.
#include "EditorTestSupport.h"

namespace {

const QString kA40 = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn");
const QString kA39 = kA40.left(39);

QString repeated(const QString& piece, int count) {
    QString text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

// "r0\nr1\n...": one numbered row for each of the first `count` rows.
QString numberedRows(int count, int skip = -1) {
    QStringList rows;
    for (int i = 0; i < count; ++i)
        if (i != skip) rows << QStringLiteral("r%1").arg(i);
    return rows.join(QLatin1Char('\n'));
}

struct ScriptCase {
    const char* name;
    QString start, script, text;
    int row, column;
    const char* selection = nullptr; // selectedText(); null: there must be no selection
};

const QString kLast23 = repeated("\n", 23);

const ScriptCase kCases[] = {
    {"one snapshot: undo takes back Z", "", "tXYZ|u", "XY", 0, 0},
    {"a second undo redoes", "", "tXYZ|u|u", "XYZ", 0, 0},
    {"undo to an empty 40-column screen", "", "tA|u", "", 0, 0},
    {"undo to an empty 80-column screen", "80", "tA|u", "80", 0, 0},
    {"undo right after setText", "HELLO", "u", "HELLO", 0, 0},
    {"typing at column 39 and past it", kA39 + "\nxyz", "@0,39|tde", kA39 + "d\nexyz", 1, 1},
    {"typing after the last cell of row 23", kLast23 + kA40, "@23,40|tZ", kLast23 + kA40, 23, 40},
    {"... keeps the earlier undo step", "", "tA|@23,40|tZ|u", "", 0, 0},
    {"typing into a gap", "", "@0,10|tQ", "          Q", 0, 11},
    // Every editing key at a small column, then its undo.
    {"Backspace at column 3", "ABCDEF", "@0,3|kBackspace", "ABDEF", 0, 2},
    {"Delete at column 2", "ABCDEF", "@0,2|kDelete", "ABDEF", 0, 2},
    {"... each undone", "ABCDEF", "@0,3|kBackspace|u|@0,2|kDelete|u|@0,2|kReturn|u|@0,1|tX|u",
     "ABCDEF", 0, 0},
    {"cut at column 2, undone", "ABCDEF", "@0,2>0,4|x|u", "ABCDEF", 0, 0},
    {"inserting into a full row", kA40, "@0,0|t*", "*" + kA39, 0, 1},
    {"inverse typing", "", "i|tA!", QString(QChar(0xF021)) + QChar(0xF001), 0, 2},
    {"multi-row delete", "r0\nr1\nABCDEFG\nr3\nHIJKLM\nr5", "@2,5>4,3|kDelete",
     "r0\nr1\nABCDEKLM\nr5", 2, 5},
    {"... dragged backwards", "r0\nr1\nABCDEFG\nr3\nHIJKLM\nr5", "@4,3>2,5|kDelete",
     "r0\nr1\nABCDEKLM\nr5", 2, 5},
    {"... keeps the joined row whole", kA40 + "\n" + kA40, "@0,35>1,2|kDelete",
     kA40.left(35) + kA40.mid(2), 0, 35},
    {"paste reads 0x11 as a file does, a tab as itself", "", "v\x11\t", "\uE000\t", 0, 2},
    {"selection across rows", "ABCDEF\nGHIJ", "@0,2>1,3", "ABCDEF\nGHIJ", 1, 3, "CDEF\nGHI"},
    {"cut and paste", "ABCDEF\nGHIJ", "@0,1>0,3|x|@1,0|v", "ADEF\nBCGHIJ", 1, 2},
    {"copy leaves the text", "ABCDEF", "@0,1>0,3|c|@0,6|v", "ABCDEFBC", 0, 8},
    {"select all, Delete, mode kept", "80AB\nCD", "a|kDelete", "80", 0, 0},
    {"select all", "AB\nCD", "a", "AB\nCD", 23, 0,
     "AB\nCD\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n"},
    {"paste with CR LF", "", "vA\r\nB", "A\nB", 1, 1},
    {"paste of an overlong line", "", "v" + kA40 + "0123456789", kA40, 0, 40},
    {"paste past the last row", "", "@21,0|v1\n2\n3\n4\n5", repeated("\n", 21) + "1\n2\n345", 23,
     3},
    {"paste over a selection", "ABCDEF", "@0,1>0,4|vxy", "AxyEF", 0, 3},
    {"... and its undo", "ABCDEF", "@0,1>0,4|vxy|u", "ABCDEF", 0, 0},
    {"palette click over a selection", "ABCDEF", "@0,1>0,4|m0", "A\u00C4EF", 0, 2},
    {"... and its undo brings the text back", "ABCDEF", "@0,1>0,4|m0|u", "ABCDEF", 0, 0},
    {"palette cell 16", "", "m16", "\uE000", 0, 1},
    {"Backspace joins rows", "r0\nABC\nDEF\nr3", "@2,0|kBackspace", "r0\nABCDEF\nr3", 1, 3},
    {"... cut at the last column", kA39 + "\nXYZ", "@1,0|kBackspace", kA39 + "X", 0, 39},
    {"Backspace beyond the text", "ABC", "@0,30|kBackspace", "ABC", 0, 29},
    {"Delete at a row's end", "ABC\nDEF", "@0,3|kDelete", "ABC\nDEF", 0, 3},
    {"Delete with a selection", "ABCDEF", "@0,1>0,3|kDelete", "ADEF", 0, 1},
    {"Return on row 23", kLast23 + "XY", "@23,1|kReturn", kLast23 + "XY", 23, 1},
    {"Return on row 10 drops row 23", numberedRows(24), "@10,1|kReturn",
     numberedRows(10) + "\nr\n10\n" + numberedRows(23).section('\n', 11), 11, 0},
    {"Shift+Right twice selects two cells", "ABCDEF", "@0,2|k+Right|k+Right", "ABCDEF", 0, 4, "CD"},
    {"Right without Shift drops it", "ABCDEF", "@0,2|k+Right|kRight", "ABCDEF", 0, 4},
    {"Shift+Right at the text's end", "ABC\nD", "@0,3|k+Right", "ABC\nD", 1, 0, "\n"},
    {"Down keeps the column", "ABCDEFGH\nAB\nABCDEFGH", "@0,6|kDown|kDown",
     "ABCDEFGH\nAB\nABCDEFGH", 2, 6},
    {"End on a shorter row", "ABCDEFGH\nAB", "@0,6|kDown|kEnd", "ABCDEFGH\nAB", 1, 2},
    {"Up keeps the column", "AB\nABCDEFGH", "@1,6|kUp", "AB\nABCDEFGH", 0, 6},
    {"Left at a row's start", "ABC\nDE", "@1,0|kLeft", "ABC\nDE", 0, 3},
    {"Meta+A", "", "k^A", "\u00B0", 0, 1},
    {"Meta+space", "", "k^Space", "\u00BF", 0, 1},
    {"Meta+Left moves like Left", "ABC", "@0,2|k^Left", "ABC", 0, 1},
    {"drag: first cell in, last out", "ABCDEF", "@0,1>0,4", "ABCDEF", 0, 4, "BCD"},
    {"Shift+click extends", "ABCDEF", "@0,1>0,2|S@0,5", "ABCDEF", 0, 5, "BCDE"},
    {"Shift+click without a selection", "ABCDEF", "S@0,3", "ABCDEF", 0, 3},
};

} // namespace

TEST_F(EditorTest, WorkedExamplesOfEditingKeysAndMouse) {
    for (const ScriptCase& c : kCases) {
        SCOPED_TRACE(c.name);
        editor->setText(c.start);
        play(editor, c.script);
        const TextGridWidget* grid = editor->grid;
        EXPECT_EQ(grid->getText(), c.text);
        EXPECT_EQ(QPoint(grid->cursorCol, grid->cursorRow), QPoint(c.column, c.row));
        EXPECT_EQ(grid->hasSelection() ? grid->selectedText() : "(none)",
                  c.selection ? QString::fromUtf8(c.selection) : "(none)");
    }
}

TEST_F(EditorTest, ScreenTextInAndOut) {
    const struct {
        QString in, out;
        int columns;
    } cases[] = {
        {"8ABC", "8ABC", 40}, // only the exact marker switches to 80 columns
        {"A\n\n B \n\n", "A\n\n B ", 40},
        {numberedRows(30), numberedRows(24), 40},
        {kA40 + "0123456789", kA40, 40},
        {"80" + kA40 + kA40 + "XY", "80" + kA40 + kA40, 80},
        {"\x11\x12", "\uE000\uE001", 40},
    };
    TextGridWidget* grid = editor->grid;
    for (const auto& c : cases) {
        grid->setText(c.in);
        EXPECT_EQ(grid->getText(), c.out) << c.in.toStdString();
        EXPECT_EQ(grid->columns, c.columns) << c.in.toStdString();
        EXPECT_FALSE(grid->changeTimer.isActive()) << "setText is not a change";
    }
    // Text beyond column 40 stays through 80 -> 40 -> 80 and is written in 40 columns.
    grid->setText("80" + kA40 + "0123456789");
    grid->setColumns(40);
    EXPECT_EQ(grid->getText(), kA40 + "0123456789");
    EXPECT_TRUE(grid->changeTimer.isActive());
    grid->setColumns(80);
    EXPECT_EQ(grid->getText(), "80" + kA40 + "0123456789");
}
