#include "memolines.h"
#include "radiogroup.h"
#include "tfeditline.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTextCursor>

using namespace Qt::StringLiterals;

namespace {

// The main window's memo and the dialog made after it, as the program has them.
struct Fixture {
    QPlainTextEdit memo;
    MemoLines lines{memo};
    TFEditLine dialog{lines};

    template <typename T> T *control(const QString &name)
    {
        T *found = dialog.findChild<T *>(name);
        if (!found) {
            qFatal("no control %s", qPrintable(name));
        }
        return found;
    }
    RadioGroup *editOption() { return control<RadioGroup>(u"rgEditOption"_s); }
    RadioGroup *mojiNum() { return control<RadioGroup>(u"rgMojiNum"_s); }
    QScrollBar *line() { return control<QScrollBar>(u"sbLine"_s); }
    QLineEdit *lineNum() { return control<QLineEdit>(u"edtLineNum"_s); }
    QPushButton *ok() { return control<QPushButton>(u"BitBtn1"_s); }
    QPushButton *cancel() { return control<QPushButton>(u"BitBtn2"_s); }

    /// Shows the dialog, makes the choices as a user does, then presses OK.
    void runOk(int option, int count, int width)
    {
        dialog.show();
        editOption()->item(option)->click();
        if (line()->isEnabled()) {
            line()->setValue(count);
        }
        if (width >= 0) {
            mojiNum()->item(width)->click();
        }
        ok()->click();
    }
};

} // namespace

class TestTFEditLine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void memoLines_data();
    void memoLines();
    void controls_data();
    void controls();
    void tabOrder();
    void enabling_data();
    void enabling();
    void lineCountShowsInTheBox();
    void okApplies_data();
    void okApplies();
    void closing_data();
    void closing();
    void statesPersist();
};

void TestTFEditLine::memoLines_data()
{
    QTest::addColumn<QByteArrayList>("lines");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArrayList>("readBack");

    QTest::newRow("no lines") << QByteArrayList() << QString() << QByteArrayList();
    QTest::newRow("lines end with a break")
        << QByteArrayList{"\x82\xA0", "A"} << u"あ\nA\n"_s << QByteArrayList{"\x82\xA0", "A"};
    QTest::newRow("blank lines show empty and stay blank")
        << QByteArrayList{"A", "\r", "B", "\r"} << u"A\n\nB\n\n"_s
        << QByteArrayList{"A", "\r", "B", "\r"};
    QTest::newRow("last line empty")
        << QByteArrayList{"A", ""} << u"A\n\n"_s << QByteArrayList{"A", ""};
    QTest::newRow("only an empty line") << QByteArrayList{""} << u"\n"_s << QByteArrayList{""};
}

void TestTFEditLine::memoLines()
{
    QFETCH(QByteArrayList, lines);
    QFETCH(QString, text);
    QFETCH(QByteArrayList, readBack);

    QPlainTextEdit memo(u"old"_s);
    MemoLines memoLines(memo);
    TextDocument document;
    document.setLines(LineList(lines));
    memoLines.setDocument(document);
    QCOMPARE(memo.toPlainText(), text);
    // Typing elsewhere in the memo leaves the lines, blank ones too, as they were.
    QTextCursor cursor(memo.document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(u"Z"_s);
    const LineList read = memoLines.document().lines();
    QCOMPARE(read.count(), lines.size() + 1);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QCOMPARE(read.line(i), readBack[i]);
    }
    QCOMPARE(read.line(lines.size()), QByteArray("Z"));
    memo.undo();
    memo.undo();
    QCOMPARE(memo.toPlainText(), u"old"_s);
}

void TestTFEditLine::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("rgEditOption") << u"rgEditOption"_s << QRect(16, 8, 161, 131) << u"編集"_s
                                  << true;
    QTest::newRow("sbLine") << u"sbLine"_s << QRect(272, 24, 73, 19) << QString() << true;
    QTest::newRow("edtLineNum") << u"edtLineNum"_s << QRect(224, 24, 33, 20) << u"1"_s << true;
    QTest::newRow("BitBtn1") << u"BitBtn1"_s << QRect(183, 112, 84, 25) << u"OK"_s << true;
    QTest::newRow("BitBtn2") << u"BitBtn2"_s << QRect(272, 112, 84, 25) << u"キャンセル"_s << true;
    QTest::newRow("rgMojiNum") << u"rgMojiNum"_s << QRect(192, 50, 162, 56) << u"文字数指定"_s
                               << false;
    QTest::newRow("Label1") << u"Label1"_s << QRect() << u"行数指定"_s << true;
}

void TestTFEditLine::controls()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(bool, enabled);

    Fixture f;
    QCOMPARE(f.dialog.windowTitle(), u"データの加工"_s);
    QCOMPARE(f.dialog.size(), QSize(362, 147));
    QVERIFY(!f.dialog.isModal());
    QVERIFY(!f.dialog.isVisible());
    QWidget *control = f.control<QWidget>(name);
    QCOMPARE(control->font().family(), u"ＭＳ Ｐゴシック"_s);
    QCOMPARE(control->font().pixelSize(), 12);
    QCOMPARE(control->isEnabled(), enabled);
    if (geometry.isValid()) {
        QCOMPARE(control->geometry(), geometry);
    } else {
        QCOMPARE(control->pos(), QPoint(192, 8));
    }
    if (auto *group = qobject_cast<RadioGroup *>(control)) {
        QCOMPARE(group->title(), text);
    } else if (auto *button = qobject_cast<QPushButton *>(control)) {
        QCOMPARE(button->text(), text);
    } else if (auto *edit = qobject_cast<QLineEdit *>(control)) {
        QCOMPARE(edit->text(), text);
        QVERIFY(edit->isReadOnly());
    } else if (auto *label = qobject_cast<QLabel *>(control)) {
        QCOMPARE(label->text(), text);
    }

    const QStringList options{u"全行複製"_s, u"空白行挿入"_s, u"ひらがな→カタカナ変換"_s,
                              u"カタカナ→ひらがな変換"_s, u"文字数の変更"_s};
    QCOMPARE(f.editOption()->itemCount(), options.size());
    for (int i = 0; i < options.size(); ++i) {
        QCOMPARE(f.editOption()->item(i)->text(), options[i]);
    }
    QCOMPARE(f.editOption()->itemIndex(), 0);
    const QStringList widths{u"4"_s, u"5"_s,  u"6"_s,  u"7"_s,  u"8"_s,
                             u"9"_s, u"10"_s, u"12"_s, u"15"_s, u"20"_s};
    QCOMPARE(f.mojiNum()->itemCount(), widths.size());
    for (int i = 0; i < widths.size(); ++i) {
        QCOMPARE(f.mojiNum()->item(i)->text(), widths[i]);
    }
    QCOMPARE(f.mojiNum()->itemIndex(), -1);
    QCOMPARE(f.line()->minimum(), 1);
    QCOMPARE(f.line()->maximum(), 5);
    QCOMPARE(f.line()->value(), 1);
    QVERIFY(f.ok()->isDefault());
}

void TestTFEditLine::tabOrder()
{
    Fixture f;
    QList<QWidget *> order;
    for (int i = 0; i < f.editOption()->itemCount(); ++i) {
        order << f.editOption()->item(i);
    }
    order << f.line() << f.lineNum() << f.ok() << f.cancel();
    for (int i = 0; i < f.mojiNum()->itemCount(); ++i) {
        order << f.mojiNum()->item(i);
    }
    // Tab passes over what takes no focus (the group boxes, the label).
    QList<QWidget *> chain;
    QWidget *widget = order.first();
    do {
        if (order.contains(widget)) {
            chain << widget;
        }
        widget = widget->nextInFocusChain();
    } while (widget != order.first());
    QCOMPARE(chain, order);
}

void TestTFEditLine::enabling_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("option");
    QTest::addColumn<bool>("countEnabled");
    QTest::addColumn<bool>("widthEnabled");

    QTest::newRow("repeat after wrap") << 4 << 0 << true << false;
    QTest::newRow("blank lines after katakana") << 2 << 1 << true << false;
    QTest::newRow("katakana after repeat") << 0 << 2 << false << false;
    QTest::newRow("hiragana after wrap") << 4 << 3 << false << false;
    QTest::newRow("wrap after blank lines") << 1 << 4 << false << true;
}

void TestTFEditLine::enabling()
{
    QFETCH(int, before);
    QFETCH(int, option);
    QFETCH(bool, countEnabled);
    QFETCH(bool, widthEnabled);

    Fixture f;
    f.dialog.show();
    f.editOption()->item(before)->click();
    f.editOption()->item(option)->click();
    QCOMPARE(f.line()->isEnabled(), countEnabled);
    QCOMPARE(f.lineNum()->isEnabled(), countEnabled);
    QCOMPARE(f.mojiNum()->isEnabled(), widthEnabled);
}

void TestTFEditLine::lineCountShowsInTheBox()
{
    Fixture f;
    for (int value : {3, 5, 1}) {
        f.line()->setValue(value);
        QCOMPARE(f.lineNum()->text(), QString::number(value));
    }
    f.line()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(f.lineNum()->text(), u"2"_s);
}

void TestTFEditLine::okApplies_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("option");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("after");

    QTest::newRow("repeat 2") << u"あ\nい"_s << 0 << 2 << -1 << u"あ\nあ\nあ\nい\nい\nい"_s;
    QTest::newRow("blank 1") << u"あ\nい\n"_s << 1 << 1 << -1 << u"あ\n\nい\n\n"_s;
    QTest::newRow("katakana") << u"ひら漢A\n"_s << 2 << 1 << -1 << u"ヒラ漢A\n"_s;
    QTest::newRow("hiragana") << u"カタ\nヴ\n"_s << 3 << 1 << -1 << u"かた\nヴ\n"_s;
    QTest::newRow("wrap 4") << u"一二三四五六\n\n七"_s << 4 << 1 << 0 << u"一二三四\n五六\n七"_s;
    QTest::newRow("wrap without a width")
        << u"一二三四五六\n\n"_s << 4 << 1 << -1 << u"一二三四五六\n\n"_s;
    QTest::newRow("no lines") << QString() << 0 << 5 << -1 << QString();
    QTest::newRow("katakana keeps what Shift_JIS cannot hold")
        << u"𠮷野家のひらがな😀\n"_s << 2 << 1 << -1 << u"𠮷野家ノヒラガナ😀\n"_s;
    QTest::newRow("wrap counts such a character as one")
        << u"𠮷\uE000二三四五\n"_s << 4 << 1 << 0 << u"𠮷\uE000二三\n四五\n"_s;
}

void TestTFEditLine::okApplies()
{
    QFETCH(QString, before);
    QFETCH(int, option);
    QFETCH(int, count);
    QFETCH(int, width);
    QFETCH(QString, after);

    Fixture f;
    f.memo.setPlainText(before);
    f.runOk(option, count, width);
    QCOMPARE(f.memo.toPlainText(), after);
    QVERIFY(!f.dialog.isVisible());
}

void TestTFEditLine::closing_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("applied");

    QTest::newRow("Enter presses OK") << u"enter"_s << true;
    QTest::newRow("Cancel") << u"cancel"_s << false;
    QTest::newRow("Esc") << u"escape"_s << false;
    QTest::newRow("close box") << u"close"_s << false;
}

void TestTFEditLine::closing()
{
    QFETCH(QString, how);
    QFETCH(bool, applied);

    Fixture f;
    const QString text = u"あ\n\nい"_s;
    f.memo.setPlainText(text);
    f.dialog.show();
    f.line()->setValue(1);
    if (how == u"enter"_s) {
        QTest::keyClick(&f.dialog, Qt::Key_Return);
    } else if (how == u"cancel"_s) {
        f.cancel()->click();
    } else if (how == u"escape"_s) {
        QTest::keyClick(&f.dialog, Qt::Key_Escape);
    } else {
        QVERIFY(f.dialog.close());
    }
    QVERIFY(!f.dialog.isVisible());
    QCOMPARE(f.memo.toPlainText(), applied ? u"あ\nあ\n\n\nい\nい"_s : text);
}

void TestTFEditLine::statesPersist()
{
    Fixture f;
    f.runOk(4, 1, 7);
    f.dialog.show();
    QCOMPARE(f.editOption()->itemIndex(), 4);
    QCOMPARE(f.mojiNum()->itemIndex(), 7);
    QVERIFY(f.mojiNum()->isEnabled());
    f.runOk(0, 4, -1);
    f.dialog.show();
    QCOMPARE(f.editOption()->itemIndex(), 0);
    QCOMPARE(f.line()->value(), 4);
    QCOMPARE(f.lineNum()->text(), u"4"_s);
    QCOMPARE(f.mojiNum()->itemIndex(), 7);
    QVERIFY(!f.mojiNum()->isEnabled());
}

QTEST_MAIN(TestTFEditLine)
#include "tst_tfeditline.moc"
