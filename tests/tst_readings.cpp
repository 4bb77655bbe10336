#include "hekiraerror.h"
#include "kanjireadings.h"
#include "readingsplitter.h"
#include "rubyannotator.h"
#include "rubymarks.h"
#include "wordreader.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The marks of a line as "start-end base/reading".
QStringList described(const QList<RubyMarks::Mark> &marks)
{
    QStringList list;
    for (const RubyMarks::Mark &mark : marks) {
        list << u"%1-%2 %3/%4"_s.arg(mark.start).arg(mark.end).arg(mark.base, mark.reading);
    }
    return list;
}

bool hiraganaOnly(QStringView reading)
{
    return std::all_of(reading.begin(), reading.end(),
                       [](QChar c) { return (c >= u'ぁ' && c <= u'ゖ') || c == u'ー'; });
}

} // namespace

class TestReadings : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void sentences_data();
    void sentences();
    void typedMarks_data();
    void typedMarks();
    void findMarks_data();
    void findMarks();
    void split_data();
    void split();
    void kanjiReadings_data();
    void kanjiReadings();
    void longLines_data();
    void longLines();
    void badDictionary_data();
    void badDictionary();
};

// Before any other test loads the dictionary: it loads at the first line with kanji,
// and a failure is thrown again on the next line, not remembered.
void TestReadings::initTestCase()
{
    const QByteArray home = qgetenv("HOME");
    const QByteArray mecabrc = qgetenv("MECABRC");
    qputenv("HOME", "/nonexistent");
    qputenv("MECABRC", "/nonexistent/mecabrc");
    QCOMPARE(RubyAnnotator::annotate(u"かなだけ。"_s), u"かなだけ。"_s);
    for (int line = 0; line < 2; ++line) {
        try {
            RubyAnnotator::annotate(u"漢字"_s);
            QFAIL("annotated without a dictionary");
        } catch (const HekiraError &error) {
            QVERIFY2(error.message().startsWith(u"MeCab の辞書を読み込めません。"_s),
                     qPrintable(error.message()));
        }
    }
    qputenv("HOME", home);
    if (mecabrc.isEmpty()) {
        qunsetenv("MECABRC");
    } else {
        qputenv("MECABRC", mecabrc);
    }
    QCOMPARE(RubyAnnotator::annotate(u"漢字"_s), u"｜漢《かん》｜字《じ》"_s);
}

// School sentences from grade 1 to 6, each checked against MeCab's words and read as
// a teacher reads them. Left out because MeCab (IPA dictionary) reads them wrong for
// school: 3月 (つき), 3日 (にち), 一人 in a longer run of kanji (一人息子: いちにん), a day
// followed by more kanji (五月一日月曜日: いち, にち), 三本 (さんほん), 一ヶ月 (いちかげつ),
// 七時 (ななじ), 一日中 (ちゅう), 青空の下で (もと).
void TestReadings::sentences_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("annotated");

    QTest::newRow("1: okurigana of 大きな")
        << u"山に大きな木があります。"_s
        << u"｜山《やま》に｜大《おお》きな｜木《き》があります。"_s;
    QTest::newRow("1: on-readings, punctuation")
        << u"先生、おはようございます。"_s << u"｜先《せん》｜生《せい》、おはようございます。"_s;
    QTest::newRow("1: jukujikun 今日")
        << u"今日は天気がいいです。"_s << u"｜今日《きょう》は｜天《てん》｜気《き》がいいです。"_s;
    QTest::newRow("1: 右手, 上げて")
        << u"右手を上げてください。"_s << u"｜右《みぎ》｜手《て》を｜上《あ》げてください。"_s;
    QTest::newRow("1: adjectives")
        << u"青い空に白い雲がうかんでいます。"_s
        << u"｜青《あお》い｜空《そら》に｜白《しろ》い｜雲《くも》がうかんでいます。"_s;
    QTest::newRow("1: 三 before kana")
        << u"犬が三びきいます。"_s << u"｜犬《いぬ》が｜三《さん》びきいます。"_s;
    QTest::newRow("1: 一年生") << u"一年生になりました。"_s
                               << u"｜一《いち》｜年《ねん》｜生《せい》になりました。"_s;
    QTest::newRow("1: 小鳥")
        << u"森の中で小鳥が鳴いています。"_s
        << u"｜森《もり》の｜中《なか》で｜小《こ》｜鳥《とり》が｜鳴《な》いています。"_s;
    QTest::newRow("2: jukujikun 明日, small tsu 学校, rendaku 花火")
        << u"明日は学校で花火を見ます。"_s
        << u"｜明日《あした》は｜学《がっ》｜校《こう》で｜花《はな》｜火《び》を｜見《み》ます。"_s;
    QTest::newRow("2: rendaku 手紙")
        << u"手紙を書きました。"_s << u"｜手《て》｜紙《がみ》を｜書《か》きました。"_s;
    QTest::newRow("2: 々 in 時々")
        << u"時々、雨がふります。"_s << u"｜時《とき》｜々《どき》、｜雨《あめ》がふります。"_s;
    QTest::newRow("2: katakana left alone")
        << u"東京タワーに行きました。"_s
        << u"｜東《とう》｜京《きょう》タワーに｜行《い》きました。"_s;
    QTest::newRow("2: jukujikun 友達, 休み")
        << u"休み時間に友達とサッカーをした。"_s
        << u"｜休《やす》み｜時《じ》｜間《かん》に｜友達《ともだち》とサッカーをした。"_s;
    QTest::newRow("2: kana prefix ご")
        << u"朝ご飯を食べてから、学校へ行く。"_s
        << u"｜朝《あさ》ご｜飯《はん》を｜食《た》べてから、｜学《がっ》｜校《こう》へ｜行《い》く。"_s;
    QTest::newRow("2: 三日月") << u"三日月が見える。"_s
                               << u"｜三《み》｜日《か》｜月《づき》が｜見《み》える。"_s;
    QTest::newRow("3: 々 in 人々") << u"人々がたくさん集まった。"_s
                                   << u"｜人《ひと》｜々《びと》がたくさん｜集《あつ》まった。"_s;
    QTest::newRow("3: kana inside 待ち合わせ")
        << u"駅の前で待ち合わせをする。"_s
        << u"｜駅《えき》の｜前《まえ》で｜待《ま》ち｜合《あ》わせをする。"_s;
    QTest::newRow("3: kana inside 書き込む")
        << u"ノートに答えを書き込む。"_s << u"ノートに｜答《こた》えを｜書《か》き｜込《こ》む。"_s;
    QTest::newRow("3: small tsu 一緒")
        << u"一緒に歌を歌いましょう。"_s
        << u"｜一《いっ》｜緒《しょ》に｜歌《うた》を｜歌《うた》いましょう。"_s;
    QTest::newRow("3: jukujikun 大人")
        << u"大人になったら先生になりたい。"_s
        << u"｜大人《おとな》になったら｜先《せん》｜生《せい》になりたい。"_s;
    QTest::newRow("3: 図書館")
        << u"図書館で本を借りた。"_s
        << u"｜図《と》｜書《しょ》｜館《かん》で｜本《ほん》を｜借《か》りた。"_s;
    QTest::newRow("3: 昔話, 読み聞かせる")
        << u"昔話を読み聞かせる。"_s
        << u"｜昔《むかし》｜話《ばなし》を｜読《よ》み｜聞《き》かせる。"_s;
    QTest::newRow("3: 物語, no okurigana written")
        << u"物語を読んだ。"_s << u"｜物《もの》｜語《がたり》を｜読《よ》んだ。"_s;
    QTest::newRow("3: kana prefix お")
        << u"お正月に年賀状を書いた。"_s
        << u"お｜正《しょう》｜月《がつ》に｜年《ねん》｜賀《が》｜状《じょう》を｜書《か》いた。"_s;
    QTest::newRow("4: small tsu 学級, 発表")
        << u"学級会で意見を発表した。"_s
        << u"｜学《がっ》｜級《きゅう》｜会《かい》で｜意《い》｜見《けん》を｜発《はっ》｜表《ぴょう》した。"_s;
    QTest::newRow("4: small tsu 北海道, 出発")
        << u"北海道へ出発した。"_s
        << u"｜北《ほっ》｜海《かい》｜道《どう》へ｜出《しゅっ》｜発《ぱつ》した。"_s;
    QTest::newRow("4: jukujikun 七夕, rendaku 願い事")
        << u"七夕に願い事を書く。"_s
        << u"｜七夕《たなばた》に｜願《ねが》い｜事《ごと》を｜書《か》く。"_s;
    QTest::newRow("4: 運動会, rendaku 赤組")
        << u"運動会で、赤組が勝った。"_s
        << u"｜運《うん》｜動《どう》｜会《かい》で、｜赤《あか》｜組《ぐみ》が｜勝《か》った。"_s;
    QTest::newRow("4: jōyō beyond grade 6: 咲")
        << u"花が咲き始めた。"_s << u"｜花《はな》が｜咲《さ》き｜始《はじ》めた。"_s;
    QTest::newRow("4: 天気予報, 降る")
        << u"天気予報によると、明日は雨が降るそうだ。"_s
        << u"｜天《てん》｜気《き》｜予《よ》｜報《ほう》によると、｜明日《あした》は｜雨《あめ》が｜降《ふ》るそうだ。"_s;
    QTest::newRow("5: rendaku 国々, 言葉")
        << u"世界の国々の言葉を調べる。"_s
        << u"｜世《せ》｜界《かい》の｜国《くに》｜々《ぐに》の｜言《こと》｜葉《ば》を｜調《しら》べる。"_s;
    QTest::newRow("5: small tsu 日記, 生き物")
        << u"生き物の観察日記を書こう。"_s
        << u"｜生《い》き｜物《もの》の｜観《かん》｜察《さつ》｜日《にっ》｜記《き》を｜書《か》こう。"_s;
    QTest::newRow("5: brackets")
        << u"「はい。」と、元気よく返事をした。"_s
        << u"「はい。」と、｜元《げん》｜気《き》よく｜返《へん》｜事《じ》をした。"_s;
    QTest::newRow("5: small tsu 実験")
        << u"理科の実験で、磁石を使った。"_s
        << u"｜理《り》｜科《か》の｜実《じっ》｜験《けん》で、｜磁《じ》｜石《しゃく》を｜使《つか》った。"_s;
    QTest::newRow("5: digits and ASCII left alone")
        << u"ABCの歌を100回歌った。"_s << u"ABCの｜歌《うた》を100｜回《かい》｜歌《うた》った。"_s;
    QTest::newRow("5: full-width digits and space")
        << u"１年１組　山田花子"_s
        << u"１｜年《ねん》１｜組《くみ》　｜山《やま》｜田《だ》｜花《はな》｜子《こ》"_s;
    QTest::newRow("6: 私たち, 授業")
        << u"私たちは国語の授業で作文を書いた。"_s
        << u"｜私《わたし》たちは｜国《こく》｜語《ご》の｜授《じゅ》｜業《ぎょう》で｜作《さく》｜文《ぶん》を｜書《か》いた。"_s;
    QTest::newRow("6: 宇宙") << u"宇宙について調べる。"_s
                             << u"｜宇《う》｜宙《ちゅう》について｜調《しら》べる。"_s;
    QTest::newRow("6: rendaku 誕生日")
        << u"私の誕生日は八月です。"_s
        << u"｜私《わたし》の｜誕《たん》｜生《じょう》｜日《び》は｜八《はち》｜月《がつ》です。"_s;
    // にっぽん, which MeCab gives, is a reading of 日本; a teacher who wants にほん marks it.
    QTest::newRow("6: 日本 as the dictionary reads it")
        << u"日本は島国です。"_s << u"｜日《にっ》｜本《ぽん》は｜島《しま》｜国《ぐに》です。"_s;
    // The words of the Jōyō table's list of fixed readings keep their reading whole,
    // though their kanji have readings that would split it (上 じょう, 手 ず).
    QTest::newRow("jukujikun 上手")
        << u"弟は絵が上手です。"_s << u"｜弟《おとうと》は｜絵《え》が｜上手《じょうず》です。"_s;
    QTest::newRow("jukujikun 手伝う, okurigana")
        << u"母の仕事を手伝った。"_s
        << u"｜母《はは》の｜仕《し》｜事《ごと》を｜手伝《てつだ》った。"_s;
    QTest::newRow("jukujikun 一人 in one word 一人暮らし")
        << u"一人暮らしのおばあさんに会った。"_s
        << u"｜一人《ひとり》｜暮《ぐ》らしのおばあさんに｜会《あ》った。"_s;
    QTest::newRow("jukujikun 時計 voiced in 腕時計")
        << u"腕時計をなくした。"_s << u"｜腕《うで》｜時計《どけい》をなくした。"_s;
    // Runs of kanji standing alone that always read one way, where MeCab reads a
    // number and a counter: 一 いち, 人 にん; 三 さん, 日間 にちかん.
    QTest::newRow("一人, 二人, 三日間 over MeCab's numbers")
        << u"一人で、二人の友達と三日間あそんだ。"_s
        << u"｜一人《ひとり》で、｜二人《ふたり》の｜友達《ともだち》と｜三《みっ》｜日《か》｜間《かん》あそんだ。"_s;
    QTest::newRow("二十日 over MeCab's numbers")
        << u"二十日に遠足に行きます。"_s
        << u"｜二十日《はつか》に｜遠《えん》｜足《そく》に｜行《い》きます。"_s;
    QTest::newRow("二日 whole, 四日 kanji by kanji")
        << u"二日から四日まで休みです。"_s
        << u"｜二日《ふつか》から｜四《よっ》｜日《か》まで｜休《やす》みです。"_s;
    QTest::newRow("七日, 八日 over MeCab's numbers")
        << u"七日と八日は学校が休みです。"_s
        << u"｜七《なの》｜日《か》と｜八《よう》｜日《か》は｜学《がっ》｜校《こう》が｜休《やす》みです。"_s;
    QTest::newRow("一人一人 over MeCab's numbers")
        << u"一人一人が発表した。"_s
        << u"｜一人《ひとり》｜一人《ひとり》が｜発《はっ》｜表《ぴょう》した。"_s;
    // A day right after its month, where MeCab reads a number and にち: read as it
    // would stand alone, and 一日 as the first; the month keeps MeCab's reading.
    QTest::newRow("day after its month: 五月五日")
        << u"五月五日はこどもの日です。"_s
        << u"｜五《ご》｜月《がつ》｜五《いつ》｜日《か》はこどもの｜日《ひ》です。"_s;
    QTest::newRow("day after its month: 一月一日 ついたち")
        << u"一月一日に、はつもうでに行った。"_s
        << u"｜一《いち》｜月《がつ》｜一日《ついたち》に、はつもうでに｜行《い》った。"_s;
    QTest::newRow("day after its month: 七月七日, 七夕")
        << u"七月七日は七夕です。"_s
        << u"｜七《しち》｜月《がつ》｜七《なの》｜日《か》は｜七夕《たなばた》です。"_s;
    QTest::newRow("day after its month: 十二月二十日, 月曜日 as MeCab reads it")
        << u"十二月二十日は月曜日です。"_s
        << u"｜十《じゅう》｜二《に》｜月《がつ》｜二十日《はつか》は｜月《げつ》｜曜《よう》｜日《び》です。"_s;
    QTest::newRow("day after its month: 八月二日, 三日月 kept")
        << u"八月二日の夜、三日月が出た。"_s
        << u"｜八《はち》｜月《がつ》｜二日《ふつか》の｜夜《よる》、｜三《み》｜日《か》｜月《づき》が｜出《で》た。"_s;
    QTest::newRow("day after its month: 十二月二十四日, 十四日間 alone")
        << u"十二月二十四日から十四日間、旅行した。"_s
        << u"｜十《じゅう》｜二《に》｜月《がつ》｜二《に》｜十《じゅう》｜四《よっ》｜日《か》から｜十《じゅう》｜四《よっ》｜日《か》｜間《かん》、｜旅《りょ》｜行《こう》した。"_s;
    QTest::newRow("七夕 over MeCab's 七 なな, 夕 ゆう")
        << u"浴衣を着て七夕まつりに行く。"_s
        << u"｜浴衣《ゆかた》を｜着《き》て｜七夕《たなばた》まつりに｜行《い》く。"_s;
    QTest::newRow("a longer run is MeCab's: 二人三脚")
        << u"二人三脚で走った。"_s
        << u"｜二《に》｜人《にん》｜三《さん》｜脚《きゃく》で｜走《はし》った。"_s;
    QTest::newRow("a word reaching past the run is MeCab's: 上手い")
        << u"この料理は上手い。"_s << u"この｜料《りょう》｜理《り》は｜上手《うま》い。"_s;
    QTest::newRow("teacher's mark wins over a fixed reading: 今日《こんにち》")
        << u"今日《こんにち》の日本は豊かだ。"_s
        << u"｜今日《こんにち》の｜日《にっ》｜本《ぽん》は｜豊《ゆた》かだ。"_s;
    QTest::newRow("teacher's mark wins over the dictionary: 日本《にほん》")
        << u"日本《にほん》の首都は東京です。"_s
        << u"｜日本《にほん》の｜首《しゅ》｜都《と》は｜東《とう》｜京《きょう》です。"_s;
    QTest::newRow("teacher's mark from ｜") << u"｜東京《とうきょう》タワーは高い。"_s
                                            << u"｜東京《とうきょう》タワーは｜高《たか》い。"_s;
    QTest::newRow("teacher's mark corrects 一人")
        << u"一人《ひとり》で帰った。"_s << u"｜一人《ひとり》で｜帰《かえ》った。"_s;
    QTest::newRow("teacher's mark on a name")
        << u"田中《たなか》さんと話した。"_s << u"｜田中《たなか》さんと｜話《はな》した。"_s;
}

void TestReadings::sentences()
{
    QFETCH(QString, line);
    QFETCH(QString, annotated);
    QCOMPARE(RubyAnnotator::annotate(line), annotated);
    // What comes out reads back as the teacher's marks, unchanged.
    QCOMPARE(RubyAnnotator::annotate(annotated), annotated);
}

// What teachers type that is no mark stays as typed; the kanji around it still get readings.
void TestReadings::typedMarks_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("annotated");

    QTest::newRow("unclosed 《") << u"漢字《かんじ"_s << u"｜漢《かん》｜字《じ》《かんじ"_s;
    QTest::newRow("｜ with no 《") << u"｜漢字です"_s << u"｜｜漢《かん》｜字《じ》です"_s;
    QTest::newRow("empty reading: none wanted")
        << u"漢字《》を書く"_s << u"｜漢字《》を｜書《か》く"_s;
    QTest::newRow("《 at the line start") << u"《かんじ》を書く"_s << u"《かんじ》を｜書《か》く"_s;
    QTest::newRow("no kanji before 《") << u"ひらがな《ひらがな》"_s << u"ひらがな《ひらがな》"_s;
    QTest::newRow("nested marks") << u"｜東京《とう《きょう》》"_s
                                  << u"｜｜東《とう》｜京《きょう》《とう《きょう》》"_s;
    QTest::newRow("a mark inside a broken one")
        << u"｜東京《とう｜京《きょう》》"_s
        << u"｜｜東《とう》｜京《きょう》《とう｜京《きょう》》"_s;
    QTest::newRow("marks side by side")
        << u"東《ひがし》京《きょう》"_s << u"｜東《ひがし》｜京《きょう》"_s;
    QTest::newRow("a base outside the BMP") << u"𠮟《しか》る"_s << u"｜𠮟《しか》る"_s;
    QTest::newRow("control characters, a lone surrogate, spaces kept")
        << u"漢字\t\u0000学校 \xD800山に登る"_s
        << u"｜漢《かん》｜字《じ》\t\u0000｜学《がっ》｜校《こう》 \xD800｜山《やま》に｜登《のぼ》る"_s;
    QTest::newRow("a word MeCab does not know: no mark") << u"彁の字"_s << u"彁の｜字《じ》"_s;
    QTest::newRow("a dictionary reading that is no kana: no mark") << u"仝"_s << u"仝"_s;
    QTest::newRow("a kanji outside the BMP MeCab does not know")
        << u"𩸽を食べた"_s << u"𩸽を｜食《た》べた"_s;
    QTest::newRow("empty line") << QString() << QString();
}

void TestReadings::typedMarks()
{
    QFETCH(QString, line);
    QFETCH(QString, annotated);
    QCOMPARE(RubyAnnotator::annotate(line), annotated);
}

void TestReadings::findMarks_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("marks");
    QTest::addColumn<QString>("text");

    QTest::newRow("the kanji run before 《")
        << u"この漢字《かんじ》は"_s << QStringList{u"2-9 漢字/かんじ"_s} << u"この漢字は"_s;
    QTest::newRow("｜ to 《, kana too")
        << u"｜東京タワー《とうきょうたわー》"_s
        << QStringList{u"0-16 東京タワー/とうきょうたわー"_s} << u"東京タワー"_s;
    QTest::newRow("々 in the run")
        << u"人々《ひとびと》"_s << QStringList{u"0-8 人々/ひとびと"_s} << u"人々"_s;
    QTest::newRow("empty reading") << u"漢字《》"_s << QStringList{u"0-4 漢字/"_s} << u"漢字"_s;
    QTest::newRow("unclosed 《") << u"漢字《かんじ"_s << QStringList() << u"漢字《かんじ"_s;
    QTest::newRow("｜ with no 《") << u"｜漢字です"_s << QStringList() << u"｜漢字です"_s;
    QTest::newRow("《 at the line start") << u"《かんじ》"_s << QStringList() << u"《かんじ》"_s;
    QTest::newRow("no kanji before 《")
        << u"ひらがな《ひらがな》"_s << QStringList() << u"ひらがな《ひらがな》"_s;
    QTest::newRow("no base after ｜") << u"｜《よみ》"_s << QStringList() << u"｜《よみ》"_s;
    QTest::newRow("nested: the inner one has kana before it")
        << u"｜東京《とう《きょう》》"_s << QStringList() << u"｜東京《とう《きょう》》"_s;
    QTest::newRow("nested: ｜ inside a reading opens the inner one")
        << u"｜東京《とう｜京《きょう》》"_s << QStringList{u"6-13 京/きょう"_s}
        << u"｜東京《とう京》"_s;
    QTest::newRow("the nearest ｜")
        << u"｜東｜京《きょう》"_s << QStringList{u"2-9 京/きょう"_s} << u"｜東京"_s;
    QTest::newRow("a lone 》 ends a ｜'s reach")
        << u"｜あ》漢字《かんじ》"_s << QStringList{u"3-10 漢字/かんじ"_s} << u"｜あ》漢字"_s;
    QTest::newRow("no base reaches into the mark before")
        << u"東《ひがし》京《きょう》"_s << QStringList{u"0-6 東/ひがし"_s, u"6-12 京/きょう"_s}
        << u"東京"_s;
    QTest::newRow("a kanji outside the BMP")
        << u"𠮟《しか》る"_s << QStringList{u"0-6 𠮟/しか"_s} << u"𠮟る"_s;
    QTest::newRow("a low surrogate alone before 《")
        << u"\xDC00《よみ》"_s << QStringList() << u"\xDC00《よみ》"_s;
}

void TestReadings::findMarks()
{
    QFETCH(QString, line);
    QFETCH(QStringList, marks);
    QFETCH(QString, text);
    QCOMPARE(described(RubyMarks::find(line)), marks);
    QCOMPARE(RubyMarks::withoutMarks(line), text);
}

void TestReadings::split_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("reading");
    QTest::addColumn<QString>("marked");

    QTest::newRow("small tsu") << u"学校"_s << u"がっこう"_s << u"｜学《がっ》｜校《こう》"_s;
    QTest::newRow("okurigana") << u"書き"_s << u"かき"_s << u"｜書《か》き"_s;
    QTest::newRow("kana anchors") << u"書き込む"_s << u"かきこむ"_s
                                  << u"｜書《か》き｜込《こ》む"_s;
    QTest::newRow("々 voiced") << u"人々"_s << u"ひとびと"_s << u"｜人《ひと》｜々《びと》"_s;
    QTest::newRow("h to p and small tsu")
        << u"出発"_s << u"しゅっぱつ"_s << u"｜出《しゅっ》｜発《ぱつ》"_s;
    QTest::newRow("no split: spread") << u"今日"_s << u"きょう"_s << u"｜今日《きょう》"_s;
    QTest::newRow("no split, no fixed reading: spread")
        << u"海老"_s << u"えび"_s << u"｜海老《えび》"_s;
    QTest::newRow("two splits: spread") << u"願出"_s << u"ねがいで"_s << u"｜願出《ねがいで》"_s;
    QTest::newRow("a fixed reading whole")
        << u"上手"_s << u"じょうず"_s << u"｜上手《じょうず》"_s;
    QTest::newRow("a fixed reading before okurigana")
        << u"手伝う"_s << u"てつだう"_s << u"｜手伝《てつだ》う"_s;
    QTest::newRow("a fixed reading in a longer run")
        << u"一人暮らし"_s << u"ひとりぐらし"_s << u"｜一人《ひとり》｜暮《ぐ》らし"_s;
    QTest::newRow("a fixed reading voiced")
        << u"腕時計"_s << u"うでどけい"_s << u"｜腕《うで》｜時計《どけい》"_s;
    QTest::newRow("another reading of a fixed word: split")
        << u"紅葉"_s << u"こうよう"_s << u"｜紅《こう》｜葉《よう》"_s;
    QTest::newRow("a day of the month: split")
        << u"三日"_s << u"みっか"_s << u"｜三《みっ》｜日《か》"_s;
    QTest::newRow("the fewer sound changes win")
        << u"杜氏"_s << u"とうじ"_s << u"｜杜《と》｜氏《うじ》"_s;
    // Made-up words for the places where a sound may change.
    QTest::newRow("no rendaku on the first kanji")
        << u"紙手"_s << u"がみて"_s << u"｜紙手《がみて》"_s;
    QTest::newRow("no small tsu on the last kanji")
        << u"校学"_s << u"こうがっ"_s << u"｜校学《こうがっ》"_s;
    QTest::newRow("ヶ reads か") << u"一ヶ月"_s << u"いっかげつ"_s
                                 << u"｜一《いっ》ヶ｜月《げつ》"_s;
    QTest::newRow("a kanji not in the table: spread")
        << u"蟻塚"_s << u"ありづか"_s << u"｜蟻塚《ありづか》"_s;
    QTest::newRow("々 first repeats nothing") << u"々木"_s << u"のき"_s << u"｜々木《のき》"_s;
    QTest::newRow("outside the BMP") << u"𠮟る"_s << u"しかる"_s << u"｜𠮟《しか》る"_s;
    QTest::newRow("katakana anchor") << u"ロシア語"_s << u"ろしあご"_s << u"ロシア｜語《ご》"_s;
    QTest::newRow("kana that do not fit: no mark") << u"書き"_s << u"かく"_s << u"書き"_s;
    QTest::newRow("no reading for the kanji: no mark") << u"書き"_s << u"き"_s << u"書き"_s;
    QTest::newRow("empty reading: no mark") << u"学校"_s << QString() << u"学校"_s;
    QTest::newRow("kana only") << u"ひらがな"_s << u"ひらがな"_s << u"ひらがな"_s;
}

void TestReadings::split()
{
    QFETCH(QString, word);
    QFETCH(QString, reading);
    QFETCH(QString, marked);
    QString text;
    for (const ReadingSplitter::Piece &piece : ReadingSplitter::split(word, reading)) {
        if (piece.reading.isEmpty()) {
            text += piece.text;
        } else {
            RubyMarks::append(text, piece.text, piece.reading);
        }
    }
    QCOMPARE(text, marked);
}

// Every graded kanji of KANJIDIC2 is in the table, its readings as the splitter takes them.
void TestReadings::kanjiReadings_data()
{
    QTest::addColumn<QString>("kanji");
    QTest::addColumn<QString>("readings");

    QTest::newRow("grade 1: on and kun") << u"学"_s << u"がく まな まなび"_s;
    QTest::newRow("grade 2: affixes, once each") << u"書"_s << u"しょ か かき が がき"_s;
    QTest::newRow("grade 8: kun only") << u"込"_s << u"こ こみ こめ"_s;
    QTest::newRow("grade 8: outside the BMP") << u"𠮟"_s << u"しつ しち か しか しかり"_s;
    QTest::newRow("grade 9: Jinmeiyō") << u"嵐"_s << u"らん あらし"_s;
    QTest::newRow("grade 10: Jinmeiyō variant") << u"凜"_s << u"りん きびし"_s;
    QTest::newRow("no grade") << u"蟻"_s << QString();
}

void TestReadings::kanjiReadings()
{
    QFETCH(QString, kanji);
    QFETCH(QString, readings);
    QStringList found;
    for (const QStringView reading : KanjiReadings::readings(kanji.toUcs4().first())) {
        found << reading.toString();
    }
    QCOMPARE(found.join(u' '), readings);
}

// Lines of 4,000 characters come back whole, every reading in hiragana on kanji.
void TestReadings::longLines_data()
{
    QTest::addColumn<QString>("line");

    QTest::newRow("sentences") << u"明日は学校で花火を見ます。"_s.repeated(308);
    QTest::newRow("one kanji") << u"木"_s.repeated(4000);
    QTest::newRow("kanji and 《") << u"漢《"_s.repeated(2000);
    QTest::newRow("｜ and kanji") << u"｜山"_s.repeated(2000);
    QTest::newRow("《 alone") << u"《"_s.repeated(4000);
}

void TestReadings::longLines()
{
    QFETCH(QString, line);
    const QString annotated = RubyAnnotator::annotate(line);
    QCOMPARE(RubyMarks::withoutMarks(annotated), line);
    for (const RubyMarks::Mark &mark : RubyMarks::find(annotated)) {
        QVERIFY2(hiraganaOnly(mark.reading) && !mark.reading.isEmpty(),
                 qPrintable(mark.reading.toString()));
        QVERIFY(std::all_of(mark.base.begin(), mark.base.end(),
                            [](QChar c) { return RubyMarks::isKanji(c.unicode()); }));
    }
}

void TestReadings::badDictionary_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("message");

    QTest::newRow("none there") << u"/nonexistent"_s << u"MeCab の辞書を読み込めません。"_s;
    QTest::newRow("EUC-JP") << u"/var/lib/mecab/dic/ipadic"_s << u"は UTF-8 ではありません"_s;
}

void TestReadings::badDictionary()
{
    QFETCH(QString, folder);
    QFETCH(QString, message);
    try {
        WordReader reader(folder);
        QFAIL("loaded");
    } catch (const HekiraError &error) {
        QVERIFY2(error.message().contains(message), qPrintable(error.message()));
    }
}

QTEST_GUILESS_MAIN(TestReadings)
#include "tst_readings.moc"
