#include "commandline.h"

#include "cp932.h"
#include "facetoggle.h"
#include "gridgeometry.h"
#include "lineoperations.h"
#include "printnumber.h"
#include "schoolkanji.h"
#include "settingsstore.h"
#include "storedsettings.h"
#include "strokeorder.h"
#include "usageerror.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

using namespace Qt::StringLiterals;

// Values of the choice options, index = the radio item.
constexpr std::array<QLatin1StringView, 7> PatternNames{
    "practice1"_L1, "practice2"_L1, "practice3"_L1, "practice4"_L1,
    "copy1"_L1,     "copy2"_L1,     "copy3"_L1};
constexpr std::array<std::u16string_view, 7> PatternCaptions{
    u"練習１", u"練習２", u"練習３", u"練習４", u"視写１", u"視写２", u"視写３"};

// --guide: the guides' name and window caption, the cross line option and the style.
struct Guide {
    QLatin1StringView name;
    std::u16string_view caption;
    int crossLine;
    int style; // -1: the style stays as it is
};
constexpr std::array<Guide, 4> Guides{{
    {"cross"_L1, u"十字", 1, 0},
    {"diagonal"_L1, u"米字", 1, 1},
    {"nine"_L1, u"九分割", 1, 2},
    {"none"_L1, u"なし", 0, -1},
}};

// --trace-style, index = SheetSettings::TraceStyle.
const QStringList TraceStyles{u"solid"_s, u"outline"_s};

struct Paper {
    QLatin1StringView name;
    QPageSize::PageSizeId id;
};
constexpr std::array<Paper, 5> Papers{{{"A4"_L1, QPageSize::A4},
                                       {"B5"_L1, QPageSize::JisB5},
                                       {"B4"_L1, QPageSize::JisB4},
                                       {"A3"_L1, QPageSize::A3},
                                       {"Letter"_L1, QPageSize::Letter}}};

[[noreturn]] void badValue(const QString &option, const QString &value, const QString &valid)
{
    throw UsageError(u"%1 の値 \"%2\" は使えません。使える値: %3"_s.arg(option, value, valid));
}

qint64 integerIn(const QString &option, const QString &value, qint64 low, qint64 high)
{
    bool ok = false;
    const qint64 number = value.toLongLong(&ok);
    if (!ok || number < low || number > high) {
        badValue(option, value, u"%1 から %2 までの整数"_s.arg(low).arg(high));
    }
    return number;
}

// The print number as the page reads it, so that a number the page would refuse
// is a mistake of the command line.
QString printNumberText(const QString &value)
{
    try {
        PrintNumber::parse(value);
    } catch (const HekiraError &) {
        badValue(u"--number"_s, value,
                 u"%1 から %2 までの整数 (前に空白を置いてもよい)"_s
                     .arg(std::numeric_limits<qint32>::min())
                     .arg(std::numeric_limits<qint32>::max()));
    }
    return value;
}

int patternIndex(const QString &value)
{
    for (int i = 0; i < int(PatternNames.size()); ++i) {
        if (value == PatternNames[i] || value == QStringView(PatternCaptions[i]) ||
            value == QString::number(i)) {
            return i;
        }
    }
    QStringList valid;
    for (int i = 0; i < int(PatternNames.size()); ++i) {
        valid << u"%1 (%2, %3)"_s.arg(PatternNames[i]).arg(QStringView(PatternCaptions[i])).arg(i);
    }
    badValue(u"--pattern"_s, value, valid.join(u", "));
}

int cellIndex(const QString &value)
{
    const QStringList counts = cellCountTexts();
    const qsizetype index = counts.indexOf(value);
    if (index < 0) {
        badValue(u"--cells"_s, value, counts.join(u", "));
    }
    return int(index);
}

void applyGuide(SheetSettings &settings, const QString &value)
{
    QStringList valid;
    for (const Guide &guide : Guides) {
        if (value == guide.name || value == QStringView(guide.caption)) {
            settings.CrossLine = guide.crossLine;
            settings.GuideStyle = guide.style < 0 ? settings.GuideStyle : guide.style;
            return;
        }
        valid << u"%1 (%2)"_s.arg(guide.name).arg(QStringView(guide.caption));
    }
    badValue(u"--guide"_s, value, valid.join(u", "));
}

int traceStyle(const QString &value)
{
    const qsizetype index = TraceStyles.indexOf(value);
    if (index < 0) {
        badValue(u"--trace-style"_s, value, TraceStyles.join(u", "));
    }
    return int(index);
}

Color color(const QString &option, const QString &value)
{
    bool ok = value.size() == 7 && value.startsWith(u'#');
    const uint rgb = ok ? value.mid(1).toUInt(&ok, 16) : 0;
    if (!ok) {
        badValue(option, value, u"#RRGGBB (例: #c0c0c0)"_s);
    }
    return fromRgb(rgb);
}

QSize size(const QString &value)
{
    const QStringList parts = value.split(u'x');
    bool okWidth = false;
    bool okHeight = false;
    const int width = parts.size() == 2 ? parts[0].toInt(&okWidth) : 0;
    const int height = parts.size() == 2 ? parts[1].toInt(&okHeight) : 0;
    if (!okWidth || !okHeight || width < 1 || height < 1 || width > 20000 || height > 20000) {
        badValue(u"--size"_s, value, u"幅x高さ (1 から 20000 までのピクセル数、例: 320x441)"_s);
    }
    return QSize(width, height);
}

QPageSize::PageSizeId paper(const QString &value)
{
    QStringList valid;
    for (const Paper &paper : Papers) {
        if (value.compare(paper.name, Qt::CaseInsensitive) == 0) {
            return paper.id;
        }
        valid << paper.name;
    }
    badValue(u"--paper"_s, value, valid.join(u", "));
}

TextEncoding encoding(const QString &value)
{
    if (value == u"sjis"_s) {
        return TextEncoding::ShiftJis;
    }
    if (value == u"utf8"_s) {
        return TextEncoding::Utf8;
    }
    badValue(u"--encoding"_s, value, u"sjis, utf8"_s);
}

// The rewrites --edit names, and the number each takes after "=".
enum class EditValue { None, Count, Width };
struct EditName {
    QLatin1StringView name;
    LineOperations::Operation operation;
    EditValue value;
};
constexpr std::array<EditName, 5> EditNames{{
    {"repeat"_L1, LineOperations::Operation::Repeat, EditValue::Count},
    {"blank"_L1, LineOperations::Operation::InsertBlankLines, EditValue::Count},
    {"katakana"_L1, LineOperations::Operation::ToKatakana, EditValue::None},
    {"hiragana"_L1, LineOperations::Operation::ToHiragana, EditValue::None},
    {"wrap"_L1, LineOperations::Operation::Rewrap, EditValue::Width},
}};
constexpr int MaxEditCount = 5;

bool validEditValue(EditValue kind, int amount)
{
    switch (kind) {
    case EditValue::None:
        return false;
    case EditValue::Count:
        return amount >= 1 && amount <= MaxEditCount;
    case EditValue::Width:
        return std::ranges::find(CellCounts, amount) != CellCounts.end();
    }
    return false;
}

LineOperations::Edit lineEdit(const QString &value)
{
    const qsizetype equals = value.indexOf(u'=');
    const QStringView name = equals < 0 ? QStringView(value) : QStringView(value).first(equals);
    for (const EditName &edit : EditNames) {
        if (name != edit.name) {
            continue;
        }
        if (edit.value == EditValue::None && equals < 0) {
            return {edit.operation, 0};
        }
        bool ok = false;
        const int amount = equals < 0 ? 0 : value.mid(equals + 1).toInt(&ok);
        if (ok && validEditValue(edit.value, amount)) {
            return {edit.operation, amount};
        }
    }
    badValue(u"--edit"_s, value,
             u"repeat=N, blank=N (N は 1 から %1), katakana, hiragana, wrap=N (N は %2)"_s.arg(
                 QString::number(MaxEditCount), cellCountTexts().join(u", ")));
}

struct Option {
    QLatin1StringView name;
    bool takesValue;
    void (*apply)(ExportRequest &request, const QString &value);
};

// Sized by its rows, so that a new option is one row.
const auto Options = std::to_array<Option>({
    {"--help"_L1, false, [](ExportRequest &r, const QString &) { r.help = true; }},
    {"--version"_L1, false, [](ExportRequest &r, const QString &) { r.version = true; }},
    {"--png"_L1, true, [](ExportRequest &r, const QString &v) { r.pngFile = v; }},
    {"--pdf"_L1, true, [](ExportRequest &r, const QString &v) { r.pdfFile = v; }},
    {"--trace"_L1, true, [](ExportRequest &r, const QString &v) { r.traceFile = v; }},
    {"--preview-png"_L1, true, [](ExportRequest &r, const QString &v) { r.previewPngFile = v; }},
    {"--text-out"_L1, true, [](ExportRequest &r, const QString &v) { r.textOutFile = v; }},
    {"--page"_L1, true,
     [](ExportRequest &r, const QString &v) {
         r.page = int(integerIn(u"--page"_s, v, 1, 100000));
     }},
    {"--all"_L1, false, [](ExportRequest &r, const QString &) { r.allPages = true; }},
    {"--size"_L1, true, [](ExportRequest &r, const QString &v) { r.size = size(v); }},
    {"--paper"_L1, true, [](ExportRequest &r, const QString &v) { r.paper = paper(v); }},
    {"--dpi"_L1, true,
     [](ExportRequest &r, const QString &v) { r.dpi = int(integerIn(u"--dpi"_s, v, 72, 2400)); }},
    {"--encoding"_L1, true, [](ExportRequest &r, const QString &v) { r.encoding = encoding(v); }},
    {"--grade"_L1, true,
     [](ExportRequest &r, const QString &v) {
         r.grade = int(integerIn(u"--grade"_s, v, SchoolKanji::FirstGrade, SchoolKanji::LastGrade));
     }},
    {"--edit"_L1, true, [](ExportRequest &r, const QString &v) { r.edits.append(lineEdit(v)); }},
    {"--pattern"_L1, true,
     [](ExportRequest &r, const QString &v) { r.settings.MakingPattern = patternIndex(v); }},
    {"--cells"_L1, true,
     [](ExportRequest &r, const QString &v) { r.settings.FrameNum = cellIndex(v); }},
    {"--horizontal"_L1, false,
     [](ExportRequest &r, const QString &) { r.settings.DocDirection = 1; }},
    {"--furigana"_L1, false,
     [](ExportRequest &r, const QString &) { r.settings.FuriganaFrame = 1; }},
    {"--no-cross"_L1, false, [](ExportRequest &r, const QString &) { r.settings.CrossLine = 0; }},
    {"--guide"_L1, true, [](ExportRequest &r, const QString &v) { applyGuide(r.settings, v); }},
    {"--random"_L1, false, [](ExportRequest &r, const QString &) { r.settings.RndLine = 1; }},
    {"--seed"_L1, true,
     [](ExportRequest &r, const QString &v) {
         r.seed = quint32(integerIn(u"--seed"_s, v, 0, 0xFFFFFFFF));
     }},
    {"--date"_L1, false, [](ExportRequest &r, const QString &) { r.settings.DatePrint = 1; }},
    {"--no-name"_L1, false, [](ExportRequest &r, const QString &) { r.settings.NamePrint = 0; }},
    {"--number"_L1, true,
     [](ExportRequest &r, const QString &v) {
         r.settings.PrnNumPrint = 1;
         r.settings.PrnNumText = printNumberText(v);
     }},
    {"--sentence"_L1, true,
     [](ExportRequest &r, const QString &v) { r.settings.QuestionMes = Cp932::encode(v); }},
    // The stored options are taken before all others, wherever this stands.
    {"--settings"_L1, false, [](ExportRequest &, const QString &) {}},
    {"--font"_L1, true,
     [](ExportRequest &r, const QString &v) { r.settings.UseFont = Cp932::encode(v); }},
    {"--list-fonts"_L1, false, [](ExportRequest &r, const QString &) { r.listFonts = true; }},
    {"--model-color"_L1, true,
     [](ExportRequest &r, const QString &v) {
         r.settings.CopybookColor = color(u"--model-color"_s, v);
     }},
    {"--trace-color"_L1, true,
     [](ExportRequest &r, const QString &v) {
         r.settings.TraceColor = color(u"--trace-color"_s, v);
     }},
    {"--trace-fade"_L1, false, [](ExportRequest &r, const QString &) { r.settings.TraceFade = 1; }},
    {"--trace-style"_L1, true,
     [](ExportRequest &r, const QString &v) { r.settings.TraceStyle = traceStyle(v); }},
    {"--stroke-order"_L1, false,
     [](ExportRequest &r, const QString &) { r.settings.StrokeOrder = 1; }},
    {"--readings"_L1, false, [](ExportRequest &r, const QString &) { r.settings.Readings = 1; }},
    {"--test"_L1, false, [](ExportRequest &r, const QString &) { r.settings.ReadingTest = 1; }},
    {"--answers"_L1, false,
     [](ExportRequest &r, const QString &) {
         r.settings.ReadingTest = 1;
         r.settings.Answers = 1;
     }},
});

const Option &findOption(const QString &name)
{
    for (const Option &option : Options) {
        if (name == option.name) {
            return option;
        }
    }
    QStringList valid;
    for (const Option &option : Options) {
        valid << option.name;
    }
    throw UsageError(
        u"不明なオプション \"%1\" です。使えるオプション: %2"_s.arg(name, valid.join(u", ")));
}

} // namespace

ExportRequest CommandLine::parse(const QStringList &arguments, const SettingsStore &stored)
{
    ExportRequest request;
    if (arguments.contains(u"--settings"_s)) {
        request.settings = StoredSettings::restore(stored).sheetSettings();
    }
    bool fontGiven = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (!argument.startsWith(u"--"_s)) {
            if (!request.textFile.isEmpty()) {
                throw UsageError(u"テキストファイルは一つだけ指定できます: \"%1\""_s.arg(argument));
            }
            request.textFile = argument;
            continue;
        }
        const qsizetype equals = argument.indexOf(u'=');
        const Option &option = findOption(equals < 0 ? argument : argument.first(equals));
        QString value;
        if (option.takesValue && equals >= 0) {
            value = argument.mid(equals + 1);
        } else if (option.takesValue && i + 1 < arguments.size()) {
            value = arguments[++i];
        } else if (option.takesValue) {
            throw UsageError(
                u"%1 には値が必要です。--help を参照してください。"_s.arg(option.name));
        } else if (equals >= 0) {
            throw UsageError(u"%1 は値をとりません。"_s.arg(option.name));
        }
        fontGiven = fontGiven || option.name == "--font"_L1;
        request.sheetOptions =
            request.sheetOptions || (option.name != "--encoding"_L1 && option.name != "--help"_L1);
        option.apply(request, value);
    }
    if (request.grade != 0 && !request.textFile.isEmpty()) {
        throw UsageError(u"--grade では行を学年別漢字から作るので、テキストファイル \"%1\" "
                         u"は指定できません。"_s.arg(request.textFile));
    }
    // The face follows the direction as the window's toggle keeps it: the toggle runs
    // when the direction changes from the one the window starts with.
    if (!fontGiven && request.settings.DocDirection != SheetSettings().DocDirection) {
        request.settings.UseFont =
            faceForDirection(request.settings.UseFont, request.settings.DocDirection);
    }
    return request;
}

QString CommandLine::usage()
{
    return uR"(使い方: hekira [オプション] [テキストファイル|-]

テキストの各行を一行のマス目にして、書き取り練習用のワークシートを作ります。
出力オプションを指定すると、ウィンドウを開かずにファイルへ書き出します。
テキストファイルに - を指定すると標準入力から読みます。

出力:
  --png FILE            一ページを PNG 画像に書き出す (縦長のページのまま)
  --pdf FILE            全ページを一つの PDF に書き出す (文書タイトル "Hekira")
  --trace FILE|-        描画命令を一行ずつ書き出す (- は標準出力)
  --preview-png FILE    プレビュー画面と同じ、右に90度回した 441x320 の画像を書き出す
  --text-out FILE|-     (--edit で加工した) 行をテキストファイルに書き出す (- は標準出力)。
                        読んだファイルと同じ文字コードと改行で書き、変わらない行は
                        そのままのバイトで書く (ファイルがなければ Shift_JIS と CR LF)
  --page N              --png と --trace で描くページ (1 から、既定 1)
  --all                 --trace で全ページを書き出す
  --size WxH            デバイスピクセルでのページの大きさ
                        (既定: --trace は 320x441、--png は 2480x3508)
  --paper A4|B5|B4|A3|Letter   --pdf の用紙 (既定 A4)
  --dpi D               --pdf の解像度 (既定 600)

テキスト:
  --encoding sjis|utf8  文字コードを指定する (既定: 自動判別。UTF-8 の BOM があるか、
                        UTF-8 として読むと仮名・漢字・全角文字が多ければ UTF-8、
                        それ以外は Shift_JIS)
  --grade N             テキストの代わりに、第 N 学年 (1 から 6) の学年別漢字を
                        学年別漢字配当表の順 (読みの五十音順) に一字一行で使う。
                        テキストファイルとは一緒に指定できない

行の加工 (何度でも指定でき、指定した順に、読んだ行を描く前に加工する):
  --edit repeat=N       各行をさらに N 回くり返す (N は 1 から 5)
  --edit blank=N        各行のあとに空白行を N 行入れる (N は 1 から 5)
  --edit katakana       ひらがなをカタカナにする
  --edit hiragana       カタカナをひらがなにする
  --edit wrap=N         N 文字ごとに行を分ける (N は %1)。
                        空の行はなくなる。半角文字は半文字と数える

シートの設定:
  --pattern P           作成パターン: practice1..practice4, copy1..copy3,
                        練習１..練習４, 視写１..視写３, または 0..6 (既定 practice1)
  --cells N             一行のマスの数: %1 (既定 4)
  --horizontal          横書き (既定は縦書き)
  --furigana            ふりがな枠をつける
  --no-cross            十字点線を描かない (--guide none と同じ)
  --guide G             マスの点線: cross (十字、既定), diagonal (米字: 十字と対角線),
                        nine (九分割: 三等分の線), none (なし)
  --random              最初のページの行をランダムな順にする
  --seed N              乱数の種 (0 から 4294967295、既定は時計から)
  --date                月日の欄を印刷する
  --no-name             名前の欄を印刷しない
  --number N            プリント番号 N を印刷する (-2147483648 から 2147483647 までの整数)
  --sentence TEXT       問題文 (既定 "%2")
  --font FACE           書体 (既定: 縦書きは "%3"、横書きは "%4")
  --list-fonts          選べる書体を一行に一つずつ表示する (縦書き用の "@" 付きも)
  --settings            ウィンドウが保存した設定 (~/.config/hekira/settings.ini) から始める
                        (ほかのオプションはその上に重ねて効く)
  --model-color #RRGGBB お手本の色 (既定 #000000)
  --trace-color #RRGGBB 練習の色 (既定 #c0c0c0)
  --trace-fade          練習の字を一字ごとに薄くする (練習の色から #f0f0f0 まで)
  --trace-style S       練習の字: solid (塗りつぶし、既定), outline (白抜き: 輪郭だけ)
  --stroke-order        お手本の字を筆順の数字つきで描く (KanjiStrokeOrders)。
                        数字が読めるのは A4 で一行 %5 マスまで (それより多いと注意を出す)
  --readings            漢字の読みをふりがな枠に入れる (枠もつく)。読みは MeCab の辞書
                        から。テキストの ｜東京《とうきょう》 や 日本《にっぽん》 の読みが
                        辞書より優先される
  --test                読みのテスト: 漢字のマスを空け、読みだけを残す (--readings も入る)
  --answers             テストのあとに、漢字を入れた解答のページをつける (--test も入る)

その他:
  --help                この説明を表示する
  --version             バージョンを表示する

書き出すファイルは、書き終えてから元のファイルと置き換えます。書けなかったときは
元のファイルがそのまま残ります。

終了コード: 0 成功、1 ファイルや番号の誤り (書き込めない場合も)、2 オプションの誤り

学年別漢字と漢字ごとの読みは KANJIDIC2 によります。KANJIDIC2 は Electronic
Dictionary Research and Development Group (EDRDG) の著作物で、クリエイティブ・
コモンズ 表示 - 継承 3.0 (CC BY-SA 3.0) のもとで使っています:
https://www.edrdg.org/edrdg/licence.html
語の読みは MeCab と IPA 辞書 (mecab-ipadic) によります。
)"_s.arg(cellCountTexts().join(u", "), SheetSettings::DefaultQuestionMes,
         SheetSettings::DefaultUseFont, SheetSettings::DefaultUseFont.sliced(1),
         QString::number(MaxStrokeOrderCells));
}
