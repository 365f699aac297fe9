#include "platform/linebreaks.h"
#include "platform/testsupport/peakmemory.h"
#include "platform/textcodec.h"
#include "platform/widgets/richtextbox.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QLabel>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

class TestRichTextBox : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(bytes);
        return path;
    }

    // A file of `size` bytes that starts with `head`; the rest takes no disk.
    QString sparse(const QString &name, const QByteArray &head, qint64 size)
    {
        const QString path = write(name, head);
        QFile file(path);
        if (!file.open(QIODevice::ReadWrite) || !file.resize(size))
            return {};
        return path;
    }

    static QByteArray repeated(const QByteArray &piece, qint64 size)
    {
        QByteArray bytes;
        bytes.reserve(size + piece.size());
        while (bytes.size() < size)
            bytes += piece;
        return bytes;
    }

    // The format of the document character at a text offset.
    static QTextCharFormat formatAt(const RichTextBox &box, int offset)
    {
        QTextCursor cursor(box.document());
        cursor.setPosition(box.toDocumentPosition(offset) + 1);
        return cursor.charFormat();
    }

private Q_SLOTS:
    void loadsRtfAsFormattedText()
    {
        RichTextBox box;
        const QString path = write("a.rtf", "{\\rtf1\\ansi\\ansicpg1251 {\\b \\'cf\\'f0\\'e8}\\par \\'e2\\'e5\\'f2}");
        QVERIFY(box.loadFile(path));
        QCOMPARE(box.text(), QStringLiteral("При\r\nвет"));
        QVERIFY(formatAt(box, 0).font().bold());
        QVERIFY(!formatAt(box, 5).font().bold());
    }

    void loadsOtherFilesAsText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("plainText");
        QTest::addColumn<QString>("text");
        QTest::newRow("cp1251 text") << QByteArray("\xcb\xe8\xed\xe8\xff\r\n\xe6\xe8\xe7\xed\xe8") << false
                                     << QStringLiteral("Линия\r\nжизни");
        QTest::newRow("utf-8 text") << QByteArray("Линия\r\nжизни") << false << QStringLiteral("Линия\r\nжизни");
        QTest::newRow("bare line feeds stay") << QByteArray("a\nb\rc") << false << QStringLiteral("a\nb\rc");
        QTest::newRow("rtf as plain text") << QByteArray("{\\rtf1 \\b x}") << true << QStringLiteral("{\\rtf1 \\b x}");
        QTest::newRow("empty") << QByteArray() << false << QString();
    }
    void loadsOtherFilesAsText()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, plainText);
        QFETCH(QString, text);
        RichTextBox box;
        QVERIFY(box.loadFile(write("t.txt", bytes), plainText));
        QCOMPARE(box.text(), text);
    }

    void failedLoadKeepsTheText_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing") << QStringLiteral("no such file.txt");
        QTest::newRow("folder") << QString();
    }
    void failedLoadKeepsTheText()
    {
        QFETCH(QString, path);
        RichTextBox box;
        QVERIFY(box.loadFile(write("keep.txt", "kept")));
        QVERIFY(!box.loadFile(m_dir.filePath(path)));
        QCOMPARE(box.text(), QStringLiteral("kept"));
    }

    void offsetsCountCrLfAsTwo_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("selected");
        // "ab\r\ncd\r\n\r\nef": c at 4, e at 10.
        QTest::newRow("first line") << 0 << 2 << QStringLiteral("ab");
        QTest::newRow("after one break") << 4 << 2 << QStringLiteral("cd");
        QTest::newRow("after three breaks") << 10 << 2 << QStringLiteral("ef");
        QTest::newRow("across a break") << 1 << 4 << QStringLiteral("b\u2029c");
        QTest::newRow("past the end") << 11 << 50 << QStringLiteral("f");
    }
    void offsetsCountCrLfAsTwo()
    {
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, selected);
        RichTextBox box;
        box.setText(QStringLiteral("ab\r\ncd\r\n\r\nef"));
        box.setSelStart(start);
        box.setSelLength(length);
        QCOMPARE(box.selStart(), start);
        QCOMPARE(box.selLength(), std::min(length, 12 - start));
        QCoreApplication::processEvents();
        QCOMPARE(box.textCursor().selectedText(), selected);
    }

    void mappingRoundTrips()
    {
        RichTextBox box;
        const QString text = QStringLiteral("один\r\nдва\r\n\r\nтри\nчетыре\r\n");
        box.setText(text);
        for (int offset = 0; offset <= text.size(); ++offset) {
            const bool insideBreak =
                offset > 0 && text.at(offset - 1) == u'\r' && offset < text.size() && text.at(offset) == u'\n';
            const int back = box.toTextOffset(box.toDocumentPosition(offset));
            QCOMPARE(back, insideBreak ? offset - 1 : offset);
        }
    }

    void selectionFormatsTheSelectedCharactersOnly()
    {
        RichTextBox box;
        box.setText(QStringLiteral("Жизнь\r\nи жизнь"));
        box.setSelStart(0);
        box.setSelLength(box.text().size());
        box.setSelFontSize(10);
        box.setSelStart(9); // the second «жизнь»
        box.setSelLength(5);
        box.setSelColor(QColor(0, 0, 255));
        box.setSelBold(true);
        box.setSelItalic(true);
        box.setSelFontSize(14);
        for (int offset : {9, 13}) {
            const QTextCharFormat f = formatAt(box, offset);
            QCOMPARE(f.foreground().color(), QColor(0, 0, 255));
            QVERIFY(f.font().bold());
            QVERIFY(f.font().italic());
            QCOMPARE(f.fontPointSize(), 14.0);
        }
        for (int offset : {0, 7, 8}) {
            const QTextCharFormat f = formatAt(box, offset);
            QVERIFY(!f.font().bold());
            QCOMPARE(f.fontPointSize(), 10.0);
        }
        box.setSelBold(false);
        QVERIFY(!formatAt(box, 10).font().bold());
        QCOMPARE(box.text(), QStringLiteral("Жизнь\r\nи жизнь"));
    }

    void caretIsScrolledIntoView()
    {
        RichTextBox box;
        QString text;
        for (int i = 0; i < 400; ++i)
            text += QStringLiteral("строка %1\r\n").arg(i);
        box.setText(text);
        box.resize(300, 150);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const int target = text.indexOf(QStringLiteral("строка 300"));
        box.setSelStart(target);
        QTRY_VERIFY(box.verticalScrollBar()->value() > 0);
        const QRect caret = box.cursorRect();
        QVERIFY(box.viewport()->rect().intersects(caret));
        QCOMPARE(box.selStart(), target);
    }

    void hiddenControlKeepsItsText()
    {
        RichTextBox box;
        box.setText(QStringLiteral("x\r\ny"));
        box.show();
        box.hide();
        QCOMPARE(box.text(), QStringLiteral("x\r\ny"));
    }

    void hugeFilesShowTheirBeginning_data();
    void hugeFilesShowTheirBeginning();
    void smallFileShowsWhole();
    void unbreakableLinesAreLaidOutInBoundedLines_data();
    void unbreakableLinesAreLaidOutInBoundedLines();
    void aLongLineBreaksAfterABlank()
    {
        QString line;
        while (line.size() < 3 * LineBreaks::maxLine)
            line += QStringLiteral("линия жизни ");
        RichTextBox box;
        QVERIFY(box.loadFile(write(QStringLiteral("words.txt"), TextCodec::toCp1251(line)), true));
        const QStringList lines = box.text().split(u'\n');
        QVERIFY(lines.size() > 1);
        for (const QString &shown : lines) {
            QVERIFY(shown.size() <= LineBreaks::maxLine);
            // Every word shows whole.
            QVERIFY(shown.startsWith(QStringLiteral("линия ")) || shown.startsWith(QStringLiteral("жизни ")));
        }
        QCOMPARE(box.text().remove(u'\n'), line);
        QVERIFY(!box.isCut());
    }
    void textFollowsOutsideChanges()
    {
        RichTextBox box;
        box.setText(QStringLiteral("old"));
        box.setPlainText(QStringLiteral("new\nlines"));
        QCOMPARE(box.text(), QStringLiteral("new\r\nlines"));
        box.clear();
        QCOMPARE(box.text(), QString());
    }
};

void TestRichTextBox::hugeFilesShowTheirBeginning_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<bool>("plainText");
    QTest::addColumn<QString>("sizeText");

    const QByteArray line = "\xeb\xe8\xed\xe8\xff \xe6\xe8\xe7\xed\xe8 "; // «линия жизни » in Windows-1251
    QTest::newRow("200 MB on one line") << QStringLiteral("one line.txt") << repeated(line, 4 << 20)
                                        << qint64(200) * 1024 * 1024 << true << QStringLiteral("200,0 МБ");
    QTest::newRow("3 million lines") << QStringLiteral("lines.txt") << repeated(line + "\r\n", 3'000'000 * 14)
                                     << qint64(3'000'000 * 14) << true << QStringLiteral("40,1 МБ");
    QTest::newRow("2 GB, mostly a hole") << QStringLiteral("sparse.txt") << repeated(line, 1 << 20)
                                         << qint64(2) * 1024 * 1024 * 1024 << true << QStringLiteral("2,0 ГБ");
    QTest::newRow("UTF-8 cut between the bytes of a letter")
        << QStringLiteral("utf8.txt") << repeated(QStringLiteral("линия жизни ").toUtf8(), (1 << 20) + 7)
        << qint64((1 << 20) + 7) << true << QStringLiteral("1,0 МБ");
    QTest::newRow("a manual of 3 million paragraph marks")
        << QStringLiteral("manual.rtf") << "{\\rtf1\\ansi " + repeated("x\\par ", 3'000'000 * 7) + "}" << qint64(0)
        << false << QStringLiteral("20,0 МБ");
}

void TestRichTextBox::hugeFilesShowTheirBeginning()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, head);
    QFETCH(qint64, size);
    QFETCH(bool, plainText);
    QFETCH(QString, sizeText);
    const QString path = size > head.size() ? sparse(name, head, size) : write(name, head);
    QVERIFY(!path.isEmpty());

    RichTextBox box;
    box.resize(600, 400);
    box.show();
    PeakMemory memory;
    const bool measured = memory.start();
    QVERIFY(box.loadFile(path, plainText));
    box.document()->documentLayout()->documentSize();
    if (measured)
        QVERIFY2(memory.grown() < 256 * 1024 * 1024, qPrintable(QString::number(memory.grown())));

    QVERIFY(box.isCut());
    QCOMPARE(box.notice(),
             QStringLiteral("Файл слишком велик, чтобы показать его целиком (%1): показано его начало.").arg(sizeText));
    QVERIFY(box.findChild<QLabel *>(QStringLiteral("notice"))->isVisible());
    const QString text = box.text();
    QVERIFY(!text.isEmpty());
    QVERIFY(text.size()
            <= qMax(RichTextBox::maxTextBytes, qint64(RichTextBox::maxRtfCharacters)) + RichTextBox::maxLines);
    QVERIFY(box.document()->blockCount() <= RichTextBox::maxLines + 1);
    // The beginning of the file, not a garbled reading of it.
    if (name == QLatin1String("utf8.txt"))
        QVERIFY(text.startsWith(QStringLiteral("линия жизни линия")));
    else if (plainText)
        QVERIFY(text.startsWith(QStringLiteral("линия жизни ")));
    QVERIFY(!text.contains(QChar::ReplacementCharacter));
}

void TestRichTextBox::smallFileShowsWhole()
{
    RichTextBox box;
    QVERIFY(box.loadFile(write(QStringLiteral("small.txt"), "a\r\nb"), true));
    QVERIFY(!box.isCut());
    QCOMPARE(box.notice(), QString());
    QVERIFY(box.findChild<QLabel *>(QStringLiteral("notice"))->isHidden());
    box.setNotice(QStringLiteral("x"));
    box.setText(QStringLiteral("y"));
    QCOMPARE(box.notice(), QString());
}

// Lines without a break point: Qt lays one out in time that grows with the
// square of its length, so the control shows none longer than the bound.
void TestRichTextBox::unbreakableLinesAreLaidOutInBoundedLines_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<bool>("plainText");
    QTest::addColumn<bool>("cut");

    QTest::newRow("1 MB of one word") << QStringLiteral("word.txt") << QByteArray(1 << 20, 'x') << qint64(0) << true
                                      << true;
    QTest::newRow("2 GB of NUL bytes") << QStringLiteral("nul.txt") << QByteArray() << qint64(2) * 1024 * 1024 * 1024
                                       << true << true;
    QTest::newRow("a 200 KB word after a line of words")
        << QStringLiteral("mixed.txt") << "\xeb\xe8\xed\xe8\xff \xe6\xe8\xe7\xed\xe8\r\n" + QByteArray(200 * 1024, 'x')
        << qint64(0) << true << false;
    QTest::newRow("a manual of 600,000 characters without a space")
        << QStringLiteral("manual.rtf") << "{\\rtf1\\ansi " + QByteArray(600'000, 'x') + "}" << qint64(0) << false
        << true;
    QTest::newRow("a manual that is not RTF")
        << QStringLiteral("manual.txt") << QByteArray(300'000, 'x') << qint64(0) << false << false;
}

void TestRichTextBox::unbreakableLinesAreLaidOutInBoundedLines()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, head);
    QFETCH(qint64, size);
    QFETCH(bool, plainText);
    QFETCH(bool, cut);
    const QString path = size > head.size() ? sparse(name, head, size) : write(name, head);
    QVERIFY(!path.isEmpty());

    RichTextBox box;
    box.resize(977, 593);
    box.show();
    QVERIFY(box.loadFile(path, plainText));
    box.document()->documentLayout()->documentSize();
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next())
        QVERIFY2(block.length() <= LineBreaks::maxLine + 1, qPrintable(QString::number(block.length())));
    QVERIFY(box.document()->blockCount() > 1);
    QCOMPARE(box.isCut(), cut);
    QCOMPARE(box.notice().startsWith(QStringLiteral("Файл слишком велик, чтобы показать его целиком")), cut);
    // Nothing but the breaks is added or lost.
    const QString text = box.text();
    const QString content = QString(text).remove(u'\r').remove(u'\n');
    if (!cut && plainText)
        QCOMPARE(content.size(), TextCodec::decode(head).remove(u'\r').remove(u'\n').size());
}

QTEST_MAIN(TestRichTextBox)
#include "tst_richtextbox.moc"
