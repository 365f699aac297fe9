#include "platform/rtfreader.h"
#include "platform/widgets/rtfdocumentreader.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextLayout>

class TestRtfReader : public QObject
{
    Q_OBJECT

private:
    static QTextCharFormat formatOf(QTextDocument &document, const QString &word)
    {
        const QTextCursor found = document.find(word);
        if (found.isNull())
            return {};
        QTextCursor inside(&document);
        inside.setPosition(found.selectionStart() + 1);
        return inside.charFormat();
    }

    // The displayed text read from a device pieceBytes at a time.
    static QString streamed(const QByteArray &bytes, qsizetype pieceBytes, bool *isRtf = nullptr)
    {
        QByteArray copy = bytes;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        QString text;
        const bool ok = RtfReader::displayedText(
            buffer,
            [&](QStringView piece) {
                text.append(piece);
                return true;
            },
            pieceBytes);
        if (isRtf)
            *isRtf = ok;
        return text;
    }

    // Streamed with pieces of every small size and a large one, the text is
    // the whole-buffer reading's.
    static bool streamsAlike(const QByteArray &bytes, QString *why = nullptr)
    {
        if (!RtfReader::isRtf(bytes))
            return true;
        const QString whole = RtfReader::displayedText(bytes);
        for (qsizetype piece : {1, 2, 3, 7, 64, 65, 1 << 20}) {
            if (streamed(bytes, piece) != whole) {
                if (why)
                    *why = QStringLiteral("piece %1: ").arg(piece)
                        + QString::fromLatin1(bytes.left(200).toPercentEncoding());
                return false;
            }
        }
        return true;
    }

private Q_SLOTS:
    void recognisesRtf_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("rtf");
        QTest::newRow("header") << QByteArray("{\\rtf1 x}") << true;
        QTest::newRow("plain") << QByteArray("rtf1 x") << false;
        QTest::newRow("leading space") << QByteArray(" {\\rtf1}") << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void recognisesRtf()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, rtf);
        QCOMPARE(RtfReader::isRtf(bytes), rtf);
    }

    void displayedText_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain words") << QByteArray("{\\rtf1 Hello world}") << QStringLiteral("Hello world");
        QTest::newRow("cp1251 escapes") << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}")
                                        << QStringLiteral("Привет");
        QTest::newRow("escapes default to cp1251") << QByteArray("{\\rtf1 \\'e4\\'e0}") << QStringLiteral("да");
        QTest::newRow("raw high bytes") << QByteArray("{\\rtf1 \xe4\xe0}") << QStringLiteral("да");
        QTest::newRow("cp1252 named") << QByteArray("{\\rtf1\\ansi\\ansicpg1252 caf\\'e9}") << QStringLiteral("café");
        QTest::newRow("unicode with fallback") << QByteArray("{\\rtf1\\uc1 \\u1046?\\u1091?}") << QStringLiteral("Жу");
        QTest::newRow("unicode, hex fallback") << QByteArray("{\\rtf1\\uc1 \\u1046\\'c6!}") << QStringLiteral("Ж!");
        QTest::newRow("unicode, two fallbacks") << QByteArray("{\\rtf1\\uc2 \\u1046ab c}") << QStringLiteral("Ж c");
        QTest::newRow("unicode, no fallback") << QByteArray("{\\rtf1\\uc0 \\u1046 x}") << QStringLiteral("Жx");
        QTest::newRow("negative unicode") << QByteArray("{\\rtf1 \\u-4064?}") << QString(QChar(0xF020));
        QTest::newRow("uc is per group") << QByteArray("{\\rtf1 {\\uc2 a}\\u1046?b}") << QStringLiteral("aЖb");
        QTest::newRow("par and line") << QByteArray("{\\rtf1 a\\par b\\line c}") << QStringLiteral("a\r\nb\r\nc");
        QTest::newRow("tab") << QByteArray("{\\rtf1 a\\tab b}") << QStringLiteral("a\tb");
        QTest::newRow("page") << QByteArray("{\\rtf1 a\\page b}") << QStringLiteral("a\r\nb");
        QTest::newRow("source line breaks ignored") << QByteArray("{\\rtf1 a\r\nb\nc}") << QStringLiteral("abc");
        QTest::newRow("backslash newline is par") << QByteArray("{\\rtf1 a\\\nb}") << QStringLiteral("a\r\nb");
        QTest::newRow("literal symbols") << QByteArray("{\\rtf1 \\{\\}\\\\}") << QStringLiteral("{}\\");
        QTest::newRow("special characters")
            << QByteArray("{\\rtf1 \\emdash\\endash\\~\\lquote\\rquote\\ldblquote\\rdblquote\\bullet}")
            << QStringLiteral("—–\u00a0‘’“”•");
        QTest::newRow("optional hyphen hidden") << QByteArray("{\\rtf1 ab\\-cd}") << QStringLiteral("abcd");
        QTest::newRow("delimiter space eaten") << QByteArray("{\\rtf1\\b bold\\b0  x}") << QStringLiteral("bold x");
        QTest::newRow("numeric delimiter") << QByteArray("{\\rtf1\\fs24x}") << QStringLiteral("x");
        QTest::newRow("nesting") << QByteArray("{\\rtf1 a{b{c}d}e}") << QStringLiteral("abcde");
        QTest::newRow("fonttbl") << QByteArray("{\\rtf1{\\fonttbl{\\f0\\froman Times New Roman;}}x}")
                                 << QStringLiteral("x");
        QTest::newRow("colortbl") << QByteArray("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}x}")
                                  << QStringLiteral("x");
        QTest::newRow("stylesheet") << QByteArray("{\\rtf1{\\stylesheet{\\s0 Normal;}}x}") << QStringLiteral("x");
        QTest::newRow("info") << QByteArray("{\\rtf1{\\info{\\title T}{\\author A}}x}") << QStringLiteral("x");
        QTest::newRow("pict") << QByteArray("{\\rtf1{\\pict\\pngblip 89504e47}x}") << QStringLiteral("x");
        QTest::newRow("object") << QByteArray("{\\rtf1{\\object{\\objdata 0102}}x}") << QStringLiteral("x");
        QTest::newRow("header") << QByteArray("{\\rtf1{\\header H}x}") << QStringLiteral("x");
        QTest::newRow("footer") << QByteArray("{\\rtf1{\\footerr F}x}") << QStringLiteral("x");
        QTest::newRow("starred destination")
            << QByteArray("{\\rtf1{\\*\\generator Riched20;}x}") << QStringLiteral("x");
        QTest::newRow("field shows its result")
            << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"a\"}{\\fldrslt link}}}") << QStringLiteral("link");
        QTest::newRow("bin data skipped") << QByteArray("{\\rtf1 a{\\pict\\bin4 }{}\\}b}") << QStringLiteral("ab");
        QTest::newRow("bin outside a picture") << QByteArray("{\\rtf1 a\\bin3 xyzb}") << QStringLiteral("ab");
        QTest::newRow("unknown words ignored") << QByteArray("{\\rtf1\\viewkind4\\lang1049 x}") << QStringLiteral("x");
        QTest::newRow("escaped line breaks") << QByteArray("{\\rtf1 a\\'0d\\'0a\\u13?\\u0?b}") << QStringLiteral("ab");
        QTest::newRow("separators as unicode")
            << QByteArray("{\\rtf1 a\\u8233?b\\u8232?c}") << QStringLiteral("a\r\nb\r\nc");
        QTest::newRow("cell and row") << QByteArray("{\\rtf1 a\\cell b\\cell\\row c}") << QStringLiteral("a\tb\t\r\nc");
        // Bytes by the character set of the current font, the document's code page where it names none.
        QTest::newRow("russian on an english system")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
                          "{\\f1\\fswiss\\fcharset204 Arial;}}\\f1 \\'d3\\'e2\\'e0\\'e6\\'e0\\'e5\\'ec\\'fb\\'e9 "
                          "\\'ea\\'eb\\'e8\\'e5\\'ed\\'f2!\\f0  caf\\'e9}")
            << QStringLiteral("Уважаемый клиент! café");
        QTest::newRow("default font's character set")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff1{\\fonttbl{\\f0 A;}{\\f1\\fcharset204 B;}}\\'e4\\'e0}")
            << QStringLiteral("да");
        QTest::newRow("greek") << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset161 Times;}}"
                                             "\\f0 \\'c1\\'e8\\'DE\\'ed\\'e1}")
                               << QStringLiteral("Αθήνα");
        QTest::newRow("czech") << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset238 Arial;}}"
                                             "\\f0 \\'e8esk\\'fd \\'9elu\\'9dou\\'e8k\\'fd}")
                               << QStringLiteral("český žluťoučký");
        QTest::newRow("font back to the document's in a group and after plain")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 A;}{\\f1\\fcharset238 B;}}"
                          "{\\f1 \\'e8}\\'e8\\plain\\f1 \\'e8\\plain \\'e8}")
            << QStringLiteral("čèčè");
        QTest::newRow("cpg names the font's code page")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset0\\cpg1251 A;}}\\f0 \\'e4\\'e0}")
            << QStringLiteral("да");
        QTest::newRow("fonts listed without groups")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl\\f0\\fcharset0 A;\\f1\\fcharset161 B;}\\f1 \\'e1}")
            << QStringLiteral("α");
        QTest::newRow("without ansicpg, windows-1251")
            << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0 A;}}\\f0 \\'e4\\'e0}") << QStringLiteral("да");
        QTest::newRow("gbk") << QByteArray("{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 SimSun;}}"
                                           "\\f0 \\'c4\\'e3\\'ba\\'c3 ok}")
                             << QStringLiteral("你好 ok");
        QTest::newRow("shift-jis, trail byte as it is")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}"
                          "\\f0 \\'93\\'fa\\'96\\{\\'8c\\'ea\\'82a \\'b1}")
            << QStringLiteral("日本語Ｂ ｱ");
        QTest::newRow("shift-jis, trail byte a backslash")
            << QByteArray("{\\rtf1\\ansicpg932 \\'95\\\\x}") << QStringLiteral("表x");
        QTest::newRow("big5 and korean") << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset136 A;}{\\f1\\fcharset129 B;}}"
                                                       "\\f0\\'a4\\'a4\\f1\\'c7\\'d1}")
                                         << QStringLiteral("中한");
        QTest::newRow("utf-8 named by cpg")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset128\\cpg65001 A;}}"
                          "\\f0 \\'e4\\'b8\\'ad\\'e5\\'9c\\'8b \\'f0\\'9f\\'98\\'80 \xd0\\'b6}")
            << QStringLiteral("中國 ") + QString::fromUcs4(U"\U0001F600") + QStringLiteral(" ж");
        QTest::newRow("two double-byte fonts in turn")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset128 A;}{\\f1\\fcharset134 B;}}"
                          "\\f0\\'93\\'fa\\f1\\'c4\\'e3\\f0\\'96\\{\\f1\\'c4\\f0\\'93\\f1\\'ba\\'c3}")
            << QStringLiteral("日你本好");
        QTest::newRow("default font named in the colour table")
            << QByteArray("{\\rtf1\\ansicpg1252{\\fonttbl{\\f0 A;}{\\f1\\fcharset204 B;}}{\\colortbl;\\deff1;}\\'e4}")
            << QStringLiteral("д");
        QTest::newRow("a first byte cut off by a group")
            << QByteArray("{\\rtf1\\ansicpg936 {\\'c4}x}") << QStringLiteral("x");
        QTest::newRow("starred mid-group is ignored")
            << QByteArray("{\\rtf1 {\\b a\\*b}{\\*\\unknown c}d}") << QStringLiteral("abd");
        QTest::newRow("nothing after the closing brace")
            << QByteArray("{\\rtf1 a}\r\n\x01\x02 tail{\\rtf1 b}") << QStringLiteral("a");
        QTest::newRow("list group") << QByteArray("{\\rtf1 {\\list{\\listlevel{\\leveltext\\'01\\u8226 ?;}"
                                                  "{\\levelnumbers;}}{\\listname Bullets;}}x}")
                                    << QStringLiteral("x");
        QTest::newRow("list tables") << QByteArray(
            "{\\rtf1 {\\listtable{\\list{\\listname L;}}}{\\listoverridetable{\\listoverride\\ls1}}x}")
                                     << QStringLiteral("x");
        QTest::newRow("nested table fallback")
            << QByteArray("{\\rtf1 a\\nestcell{\\nonesttables b\\tab c\\par}d}") << QStringLiteral("a\td");
        QTest::newRow("hidden text") << QByteArray("{\\rtf1 a{\\v b}c\\v d\\v0 e\\v f\\plain g}")
                                     << QStringLiteral("aceg");
        QTest::newRow("surrogate pair") << QByteArray("{\\rtf1 \\u-10179?\\u-8704?}")
                                        << QString::fromUcs4(U"\U0001F600");
        QTest::newRow("lone high surrogate") << QByteArray("{\\rtf1 a\\u-10240?b\\u-10240?\\u-10240?\\par}")
                                             << QStringLiteral("a\uFFFDb\uFFFD\uFFFD\r\n");
        QTest::newRow("lone low surrogate") << QByteArray("{\\rtf1 a\\u-9216?b}") << QStringLiteral("a\uFFFDb");
        QTest::newRow("high surrogate at the end") << QByteArray("{\\rtf1 a\\u55296?}") << QStringLiteral("a\uFFFD");
        QTest::newRow("control characters")
            << QByteArray("{\\rtf1 a\x01\x1f\x7f b\\'07\\'1b\\u7?\\u127?\\u133?c\tz}") << QStringLiteral("a bc\tz");
    }
    void displayedText()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QCOMPARE(RtfReader::displayedText(rtf), text);
    }

    void streamedTextMatches_data() { displayedText_data(); }
    void streamedTextMatches()
    {
        QFETCH(QByteArray, rtf);
        QString why;
        QVERIFY2(streamsAlike(rtf, &why), qPrintable(why));
    }

    void documentTextMatchesDisplayedText_data() { displayedText_data(); }
    void documentTextMatchesDisplayedText()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QTextDocument document;
        RtfDocumentReader::read(rtf, &document);
        QString shown = document.toRawText();
        shown.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
        shown.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
        QCOMPARE(shown, text);
    }

    void plainFileIsDecoded_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("cp1251") << QByteArray("\xcf\xf0\xe8\xe2\xe5\xf2") << QStringLiteral("Привет");
        QTest::newRow("utf-8") << QByteArray("Привет") << QStringLiteral("Привет");
        QTest::newRow("utf-8 with mark") << QByteArray("\xef\xbb\xbfok") << QStringLiteral("ok");
        QTest::newRow("markup not at start") << QByteArray(" {\\rtf1 a}") << QStringLiteral(" {\\rtf1 a}");
    }
    void plainFileIsDecoded()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(RtfReader::displayedText(bytes), text);
        QTextDocument document;
        RtfDocumentReader::read(bytes, &document);
        QCOMPARE(document.toPlainText(), text);
    }

    void formatsOfOneFragment()
    {
        const QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0"
                               "{\\fonttbl{\\f0\\froman\\fcharset204 Times New Roman;}{\\f1\\fswiss Arial;}}"
                               "{\\colortbl;\\red0\\green0\\blue255;\\red200\\green10\\blue20;}"
                               "\\pard\\qc\\li720\\ri360\\fi-240 {\\b Bold} {\\i Italic} {\\ul Under} {\\strike Gone} "
                               "{\\fs40 Big} {\\cf1 Blue} {\\f1 Sans}\\par"
                               "\\pard\\qr Right\\par\\qj Justified\\par\\pard Plain {\\b\\i\\cf2 Both}}";
        QTextDocument document;
        RtfDocumentReader::read(rtf, &document);

        QVERIFY(formatOf(document, "Bold").font().bold());
        QVERIFY(!formatOf(document, "Italic").font().bold());
        QVERIFY(formatOf(document, "Italic").font().italic());
        QVERIFY(formatOf(document, "Under").font().underline());
        QVERIFY(formatOf(document, "Gone").font().strikeOut());
        QCOMPARE(formatOf(document, "Big").fontPointSize(), 20.0);
        QCOMPARE(formatOf(document, "Bold").fontPointSize(), 12.0);
        QCOMPARE(formatOf(document, "Blue").foreground().color(), QColor(0, 0, 255));
        QCOMPARE(formatOf(document, "Sans").fontFamilies().toStringList(), QStringList{"Arial"});
        QCOMPARE(formatOf(document, "Bold").fontFamilies().toStringList(), QStringList{"Times New Roman"});
        const QTextCharFormat both = formatOf(document, "Both");
        QVERIFY(both.font().bold() && both.font().italic());
        QCOMPARE(both.foreground().color(), QColor(200, 10, 20));
        QVERIFY(!formatOf(document, "Plain").font().bold());

        const QTextBlockFormat first = document.findBlockByNumber(0).blockFormat();
        QCOMPARE(first.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(first.leftMargin(), 720 * 96.0 / 1440);
        QCOMPARE(first.rightMargin(), 360 * 96.0 / 1440);
        QCOMPARE(first.textIndent(), -240 * 96.0 / 1440);
        QCOMPARE(document.findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        QCOMPARE(document.findBlockByNumber(2).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
        QCOMPARE(document.findBlockByNumber(3).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        QCOMPARE(document.findBlockByNumber(3).blockFormat().leftMargin(), 0.0);
    }

    // 31680 twips (22 inches) is 2112 pixels.
    void paragraphSpacingIsBounded_data()
    {
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<QString>("property");
        QTest::addColumn<double>("pixels");
        QTest::newRow("space before") << QByteArray("\\sb2000000000") << "topMargin" << 2112.0;
        QTest::newRow("space after") << QByteArray("\\sa2000000000") << "bottomMargin" << 2112.0;
        QTest::newRow("left indent") << QByteArray("\\li2000000000") << "leftMargin" << 2112.0;
        QTest::newRow("right indent") << QByteArray("\\ri2000000000") << "rightMargin" << 2112.0;
        QTest::newRow("first line") << QByteArray("\\fi-2000000000") << "textIndent" << -2112.0;
        QTest::newRow("in bounds") << QByteArray("\\sb240") << "topMargin" << 16.0;
    }
    void paragraphSpacingIsBounded()
    {
        QFETCH(QByteArray, word);
        QFETCH(QString, property);
        QFETCH(double, pixels);
        QByteArray rtf = "{\\rtf1" + word + " ";
        for (int i = 0; i < 100; ++i)
            rtf += "x\\par ";
        rtf += "}";
        QTextDocument document;
        RtfDocumentReader::read(rtf, &document);
        const QTextBlockFormat format = document.firstBlock().blockFormat();
        const double values[] = {format.topMargin(), format.bottomMargin(), format.leftMargin(), format.rightMargin(),
                                 format.textIndent()};
        const QStringList names{"topMargin", "bottomMargin", "leftMargin", "rightMargin", "textIndent"};
        QCOMPARE(values[names.indexOf(property)], pixels);
        // The layout of the whole document finishes.
        document.setTextWidth(580);
        QVERIFY(document.size().height() > 0);
    }

    // A bullet list as word processors write it: a hanging indent (negative
    // first line), the bullet, a tab, the text. Where the text after the tab
    // starts, in pixels from the left of the block, and where its wrapped
    // lines start (1440 twips = 96 px).
    void tabAfterHangingIndent_data()
    {
        QTest::addColumn<QByteArray>("paragraph");
        QTest::addColumn<double>("textStart");
        QTest::addColumn<double>("wrappedStart");
        QTest::newRow("stops at the left indent") << QByteArray("\\fi-360\\li720") << 48.0 << 48.0;
        QTest::newRow("a tab stop before the left indent comes first")
            << QByteArray("\\fi-360\\li720\\tx600") << 40.0 << 48.0;
        QTest::newRow("a tab stop beyond the left indent does not")
            << QByteArray("\\fi-360\\li720\\tx1440") << 48.0 << 48.0;
        QTest::newRow("hanging from the margin") << QByteArray("\\fi-720\\li720") << 48.0 << 48.0;
        QTest::newRow("tab stops listed out of order") << QByteArray("\\fi-360\\li720\\tx2880\\tx600") << 40.0 << 48.0;
        QTest::newRow("no hanging indent: the tab stop set") << QByteArray("\\li720\\tx1440") << 96.0 << 48.0;
    }
    void tabAfterHangingIndent()
    {
        QFETCH(QByteArray, paragraph);
        QFETCH(double, textStart);
        QFETCH(double, wrappedStart);
        const QByteArray rtf = "{\\rtf1\\ansi\\pard" + paragraph
            + " \\bullet\\tab Text that is long enough to wrap "
              "onto a second line and a third in this narrow document.\\par}";
        QTextDocument document;
        document.setDocumentMargin(0);
        RtfDocumentReader::read(rtf, &document);
        document.setTextWidth(300);
        document.adjustSize();
        document.setTextWidth(300);
        const QTextBlock block = document.firstBlock();
        const QTextLayout *layout = block.layout();
        QVERIFY(layout && layout->lineCount() >= 2);
        const qsizetype text = block.text().indexOf(u'T');
        QCOMPARE(layout->lineAt(0).cursorToX(int(text)), textStart);
        QCOMPARE(layout->lineAt(1).x(), wrappedStart);
    }

    void badInput_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("header only") << QByteArray("{\\rtf") << QString();
        QTest::newRow("truncated") << QByteArray("{\\rtf1 abc{\\b de") << QStringLiteral("abcde");
        QTest::newRow("extra closing braces") << QByteArray("{\\rtf1 a}}}b}") << QStringLiteral("a");
        QTest::newRow("bin beyond the end") << QByteArray("{\\rtf1 a\\bin99999999 xyz") << QStringLiteral("a");
        QTest::newRow("negative bin") << QByteArray("{\\rtf1 a\\bin-5 b}") << QStringLiteral("ab");
        QTest::newRow("stray quote at the end") << QByteArray("{\\rtf1 a\\'") << QStringLiteral("a");
        QTest::newRow("half escape at the end") << QByteArray("{\\rtf1 a\\'e") << QStringLiteral("ae");
        QTest::newRow("bad hex digits") << QByteArray("{\\rtf1 a\\'zzb}") << QStringLiteral("azzb");
        QTest::newRow("backslash at the end") << QByteArray("{\\rtf1 a\\") << QStringLiteral("a");
        QTest::newRow("huge parameter") << QByteArray("{\\rtf1\\fs99999999999999999999 a\\uc99999 b}")
                                        << QStringLiteral("ab");
        QTest::newRow("huge unicode") << QByteArray("{\\rtf1 \\u99999999999?}") << QString(QChar(0xFFFD));
        QTest::newRow("over-long word") << QByteArray("{\\rtf1\\" + QByteArray(100, 'x') + " a}")
                                        << QStringLiteral("a");
        QTest::newRow("nul bytes") << QByteArray("{\\rtf1 a\0b}", 11) << QStringLiteral("ab");
    }
    void badInput()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QCOMPARE(RtfReader::displayedText(rtf), text);
        QTextDocument document;
        RtfDocumentReader::read(rtf, &document);
        QCOMPARE(document.toPlainText(), text);
    }

    void streamedBadInput_data() { badInput_data(); }
    void streamedBadInput()
    {
        QFETCH(QByteArray, rtf);
        QString why;
        QVERIFY2(streamsAlike(rtf, &why), qPrintable(why));
    }

    void streamedAcrossPieceEdges_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        const QByteArray pad(61, 'p');
        QTest::newRow("bin data crossing pieces") << QByteArray("{\\rtf1 a\\bin200 " + QByteArray(200, '}') + "b}");
        QTest::newRow("bin data at the very end") << QByteArray("{\\rtf1 a\\bin3 xy");
        QTest::newRow("bin inside a skipped group")
            << QByteArray("{\\rtf1 {\\*\\x\\bin130 " + QByteArray(130, '{') + "}c}");
        QTest::newRow("bins back to back")
            << QByteArray("{\\rtf1 \\bin1 }\\bin2 {}\\bin0 d\\bin70 " + QByteArray(70, '\\') + "e}");
        QTest::newRow("long parameter") << QByteArray("{\\rtf1\\fs" + QByteArray(300, '9') + " a\\u"
                                                      + QByteArray(200, '1') + "?b}");
        QTest::newRow("long word with parameter")
            << QByteArray("{\\rtf1\\" + QByteArray(150, 'q') + "-12 a\\" + QByteArray(40, 'u') + "5 b}");
        QTest::newRow("thirty-two letters then digits") << QByteArray("{\\rtf1\\" + QByteArray(32, 'u') + "1046 a}");
        QTest::newRow("escapes and unicode at every offset") << QByteArray(
            "{\\rtf1\\ansicpg1251 " + pad + "\\'cf\\'f0x\\u1046?\\uc2\\u1046\\'c6\\'c6y\\par\\line\\tab\\~\\_}");
        QTest::newRow("unicode fallback split by runs") << QByteArray("{\\rtf1\\uc5\\u1046 ab\r\ncd\r\nef}");
        QTest::newRow("nested groups") << QByteArray("{\\rtf1 " + QByteArray(500, '{') + "deep" + QByteArray(500, '}')
                                                     + "}");
        QTest::newRow("truncated word") << QByteArray("{\\rtf1 a\\pa");
        QTest::newRow("truncated parameter") << QByteArray("{\\rtf1 a\\u104");
    }
    void streamedAcrossPieceEdges()
    {
        QFETCH(QByteArray, rtf);
        // Shifting the input moves every token across the piece edges.
        for (int shift = 0; shift < 70; ++shift) {
            const QByteArray shifted = "{\\rtf1 " + QByteArray(shift, 's') + rtf.mid(6);
            QString why;
            QVERIFY2(streamsAlike(shifted, &why), qPrintable(why));
        }
    }

    void streamedStopsWhenAsked()
    {
        QByteArray rtf = "{\\rtf1 ";
        while (rtf.size() < 1000000)
            rtf += "\\'cf\\'f0\\'e8 word\\par\r\n";
        QBuffer buffer(&rtf);
        buffer.open(QIODevice::ReadOnly);
        int pieces = 0;
        qsizetype longest = 0;
        const bool finished = RtfReader::displayedText(
            buffer,
            [&](QStringView piece) {
                longest = std::max(longest, piece.size());
                return ++pieces < 3;
            },
            4096);
        QVERIFY(!finished);
        QCOMPARE(pieces, 3);
        QVERIFY(longest <= 64 * 1024);
        QVERIFY(buffer.pos() < rtf.size() / 2);
    }

    void streamedPiecesNeverSplitASurrogatePair()
    {
        // The pair falls on the edge of the reader's pieces, wherever they end.
        for (int before = 32760; before < 32780; ++before) {
            const QByteArray rtf = "{\\rtf1 " + QByteArray(before, 'x') + "\\u-10179?\\u-8704?}";
            QByteArray copy = rtf;
            QBuffer buffer(&copy);
            buffer.open(QIODevice::ReadOnly);
            QString text;
            bool whole = true;
            RtfReader::displayedText(buffer, [&](QStringView piece) {
                whole = whole && !piece.back().isHighSurrogate() && !piece.front().isLowSurrogate();
                text.append(piece);
                return true;
            });
            QVERIFY2(whole, qPrintable(QString::number(before)));
            QCOMPARE(text, QString(before, u'x') + QString::fromUcs4(U"\U0001F600"));
        }
    }

    void streamedPlainTextIsRefused()
    {
        bool isRtf = true;
        QCOMPARE(streamed("plain words", 4, &isRtf), QString());
        QVERIFY(!isRtf);
        QCOMPARE(streamed("{\\rtf1 x}", 4, &isRtf), QStringLiteral("x"));
        QVERIFY(isRtf);
    }

    void streamedSeedCorpus()
    {
        const QDir corpus(QStringLiteral(PALMORA_TEST_DATA_DIR "/rtf_corpus"));
        const QStringList files = corpus.entryList(QDir::Files);
        QVERIFY(files.size() >= 5);
        quint32 seed = 12345;
        auto random = [&seed] {
            seed = seed * 1664525u + 1013904223u;
            return seed >> 8;
        };
        for (const QString &name : files) {
            QFile file(corpus.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            QString why;
            QVERIFY2(streamsAlike(bytes, &why), qPrintable(name + u' ' + why));
            // Every truncation of the file, and damaged copies of it.
            const qsizetype step = std::max<qsizetype>(1, bytes.size() / 200);
            for (qsizetype n = 5; n < bytes.size(); n += step)
                QVERIFY2(streamsAlike(bytes.left(n), &why), qPrintable(name + u' ' + why));
            for (int round = 0; round < 40; ++round) {
                QByteArray damaged = bytes;
                for (int k = 0; k < 8 && damaged.size() > 6; ++k) {
                    const qsizetype at = 5 + qsizetype(random() % quint32(damaged.size() - 5));
                    static const char bytesToUse[] = "\\{}'0123456789-abinu \r\n";
                    damaged[at] = bytesToUse[random() % (sizeof(bytesToUse) - 1)];
                }
                QVERIFY2(streamsAlike(damaged, &why), qPrintable(name + u' ' + why));
            }
        }
    }

    void tenThousandNestedGroups()
    {
        const QByteArray rtf = "{\\rtf1 " + QByteArray(10000, '{') + "deep" + QByteArray(10000, '}') + "}";
        QCOMPARE(RtfReader::displayedText(rtf), QStringLiteral("deep"));
        QTextDocument document;
        RtfDocumentReader::read(rtf, &document);
        QCOMPARE(document.toPlainText(), QStringLiteral("deep"));
    }

    void groupsNestedBeyondWhatIsKept()
    {
        // Far deeper than any real file: the reader keeps going with bounded memory.
        const QByteArray rtf = "{\\rtf1 {\\info " + QByteArray(300000, '{') + "x" + QByteArray(300000, '}') + "}y}";
        QCOMPARE(RtfReader::displayedText(rtf), QStringLiteral("y"));
    }

    void codePageNamedOverAndOverStaysFast()
    {
        // 2.6 MB of alternating code pages: each once took a decoder per byte.
        QByteArray rtf = "{\\rtf1 ";
        for (int i = 0; i < 200000; ++i)
            rtf += (i % 2) ? "\\ansicpg1252 " : "\\ansicpg1250 ";
        rtf += "caf\\'e9}";
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(RtfReader::displayedText(rtf), QStringLiteral("café"));
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    }

    void binaryFileReadsAsText()
    {
        QByteArray bytes(4096, Qt::Uninitialized);
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = char((i * 7919) & 0xFF);
        const QString text = RtfReader::displayedText(bytes);
        QCOMPARE(text.size(), bytes.size());
    }

    void binaryAfterRtfHeader()
    {
        QByteArray bytes = "{\\rtf1 ";
        for (int i = 0; i < 100000; ++i)
            bytes.append(char((i * 7919 + i / 7) & 0xFF));
        const QString text = RtfReader::displayedText(bytes);
        QVERIFY(text.size() <= bytes.size());
        QTextDocument document;
        RtfDocumentReader::read(bytes, &document);
        QVERIFY(document.characterCount() > 0);
    }

    void fiftyMegabytes()
    {
        QByteArray paragraph = "\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2 {\\b world}\\par\r\n";
        QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1251 ";
        rtf.reserve(50 * 1024 * 1024 + 100);
        qsizetype paragraphs = 0;
        for (; rtf.size() < 50 * 1024 * 1024; ++paragraphs)
            rtf.append(paragraph);
        rtf.append('}');
        const QString text = RtfReader::displayedText(rtf);
        QCOMPARE(text.size(), paragraphs * qsizetype(std::size(u"Привет world\r\n") - 1));
        QVERIFY(text.startsWith(QStringLiteral("Привет world\r\nПривет")));
    }

    void seedCorpusReplays()
    {
        const QDir corpus(QStringLiteral(PALMORA_TEST_DATA_DIR "/rtf_corpus"));
        const QStringList files = corpus.entryList(QDir::Files);
        QVERIFY(files.size() >= 5);
        for (const QString &name : files) {
            QFile file(corpus.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            const QString text = RtfReader::displayedText(bytes);
            QTextDocument document;
            RtfDocumentReader::read(bytes, &document);
            QString shown = document.toRawText();
            shown.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
            shown.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
            if (RtfReader::isRtf(bytes))
                QCOMPARE(shown, text);
        }
    }
};

QTEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
