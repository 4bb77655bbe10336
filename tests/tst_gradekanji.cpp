#include "cp932.h"
#include "gradekanji.h"
#include "gradeorder.h"
#include "hekiraerror.h"
#include "kanjidicreader.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A kanji as a test writes it: "字 strokes on,on kun,kun" (two blanks: no on-reading).
SchoolKanji schoolKanji(const QString &text)
{
    const QStringList fields = text.split(u' ');
    SchoolKanji kanji;
    kanji.literal = fields[0].toUcs4().first();
    kanji.grade = 1;
    kanji.strokes = fields[1].toInt();
    kanji.onReadings = fields.value(2).split(u',', Qt::SkipEmptyParts);
    kanji.kunReadings = fields.value(3).split(u',', Qt::SkipEmptyParts);
    return kanji;
}

QByteArray kanjidic(const QByteArray &characters)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE kanjidic2 [\n<!ELEMENT kanjidic2 (header,character*)>\n]>\n"
           "<kanjidic2>\n<header><file_version>4</file_version></header>\n" +
           characters + "</kanjidic2>\n";
}

} // namespace

class TestGradeKanji : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void gradeLists_data();
    void gradeLists();
    void listReading_data();
    void listReading();
    void order_data();
    void order();
    void readsKanjidic();
    void readsEveryGrade();
    void badKanjidic_data();
    void badKanjidic();
    void document();
    void noSuchGrade_data();
    void noSuchGrade();
};

// The lists of the school allocation of 2020, as published. Where kanji share reading
// and stroke count the lists follow no rule the dictionary holds; the table has them
// by code point, and "differences" gives those runs as "list>table".
void TestGradeKanji::gradeLists_data()
{
    QTest::addColumn<int>("grade");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("differences");

    QTest::newRow("grade 1") << 1 << 80
                             << u"一右雨円王音下火花貝学気九休玉金空月犬見"
                                u"五口校左三山子四糸字耳七車手十出女小上森"
                                u"人水正生青夕石赤千川先早草足村大男竹中虫"
                                u"町天田土二日入年白八百文木本名目立力林六"_s
                             << QString();
    QTest::newRow("grade 2") << 2 << 160
                             << u"引羽雲園遠何科夏家歌画回会海絵外角楽活間"
                                u"丸岩顔汽記帰弓牛魚京強教近兄形計元言原戸"
                                u"古午後語工公広交光考行高黄合谷国黒今才細"
                                u"作算止市矢姉思紙寺自時室社弱首秋週春書少"
                                u"場色食心新親図数西声星晴切雪船線前組走多"
                                u"太体台地池知茶昼長鳥朝直通弟店点電刀冬当"
                                u"東答頭同道読内南肉馬売買麦半番父風分聞米"
                                u"歩母方北毎妹万明鳴毛門夜野友用曜来里理話"_s
                             << u"回会>会回 記帰>帰記"_s;
    QTest::newRow("grade 3") << 3 << 200
                             << u"悪安暗医委意育員院飲運泳駅央横屋温化荷界"
                                u"開階寒感漢館岸起期客究急級宮球去橋業曲局"
                                u"銀区苦具君係軽血決研県庫湖向幸港号根祭皿"
                                u"仕死使始指歯詩次事持式実写者主守取酒受州"
                                u"拾終習集住重宿所暑助昭消商章勝乗植申身神"
                                u"真深進世整昔全相送想息速族他打対待代第題"
                                u"炭短談着注柱丁帳調追定庭笛鉄転都度投豆島"
                                u"湯登等動童農波配倍箱畑発反坂板皮悲美鼻筆"
                                u"氷表秒病品負部服福物平返勉放味命面問役薬"
                                u"由油有遊予羊洋葉陽様落流旅両緑礼列練路和"_s
                             << u"研県>県研"_s;
    QTest::newRow("grade 4") << 4 << 202
                             << u"愛案以衣位茨印英栄媛塩岡億加果貨課芽賀改"
                                u"械害街各覚潟完官管関観願岐希季旗器機議求"
                                u"泣給挙漁共協鏡競極熊訓軍郡群径景芸欠結建"
                                u"健験固功好香候康佐差菜最埼材崎昨札刷察参"
                                u"産散残氏司試児治滋辞鹿失借種周祝順初松笑"
                                u"唱焼照城縄臣信井成省清静席積折節説浅戦選"
                                u"然争倉巣束側続卒孫帯隊達単置仲沖兆低底的"
                                u"典伝徒努灯働特徳栃奈梨熱念敗梅博阪飯飛必"
                                u"票標不夫付府阜富副兵別辺変便包法望牧末満"
                                u"未民無約勇要養浴利陸良料量輪類令冷例連老"
                                u"労録"_s
                             << QString();
    QTest::newRow("grade 5") << 5 << 193
                             << u"圧囲移因永営衛易益液演応往桜可仮価河過快"
                                u"解格確額刊幹慣眼紀基寄規喜技義逆久旧救居"
                                u"許境均禁句型経潔件険検限現減故個護効厚耕"
                                u"航鉱構興講告混査再災妻採際在財罪殺雑酸賛"
                                u"士支史志枝師資飼示似識質舎謝授修述術準序"
                                u"招証象賞条状常情織職制性政勢精製税責績接"
                                u"設絶祖素総造像増則測属率損貸態団断築貯張"
                                u"停提程適統堂銅導得毒独任燃能破犯判版比肥"
                                u"非費備評貧布婦武復複仏粉編弁保墓報豊防貿"
                                u"暴脈務夢迷綿輸余容略留領歴"_s
                             << QString();
    QTest::newRow("grade 6") << 6 << 191
                             << u"胃異遺域宇映延沿恩我灰拡革閣割株干巻看簡"
                                u"危机揮貴疑吸供胸郷勤筋系敬警劇激穴券絹権"
                                u"憲源厳己呼誤后孝皇紅降鋼刻穀骨困砂座済裁"
                                u"策冊蚕至私姿視詞誌磁射捨尺若樹収宗就衆従"
                                u"縦縮熟純処署諸除承将傷障蒸針仁垂推寸盛聖"
                                u"誠舌宣専泉洗染銭善奏窓創装層操蔵臓存尊退"
                                u"宅担探誕段暖値宙忠著庁頂腸潮賃痛敵展討党"
                                u"糖届難乳認納脳派拝背肺俳班晩否批秘俵腹奮"
                                u"並陛閉片補暮宝訪亡忘棒枚幕密盟模訳郵優預"
                                u"幼欲翌乱卵覧裏律臨朗論"_s
                             << u"泉洗染>染泉洗 討党>党討 背肺>肺背"_s;
}

void TestGradeKanji::gradeLists()
{
    QFETCH(int, grade);
    QFETCH(int, count);
    QFETCH(QString, list);
    QFETCH(QString, differences);
    const QStringView table = GradeKanji::kanji(grade);
    QCOMPARE(table.size(), count);
    QCOMPARE(table.first(), list.front());
    for (const QString &difference : differences.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList runs = difference.split(u'>');
        QCOMPARE(list.count(runs[0]), 1);
        list.replace(runs[0], runs[1]);
    }
    QCOMPARE(table.toString(), list);
}

void TestGradeKanji::listReading_data()
{
    QTest::addColumn<QString>("kanji");
    QTest::addColumn<QString>("reading");

    QTest::newRow("first on-reading in hiragana") << u"力 2 リョク,リキ ちから"_s << u"りょく"_s;
    QTest::newRow("no on-reading: first kun without okurigana")
        << u"込 5  こ.む,-こ.む"_s << u"こ"_s;
    QTest::newRow("affix marks dropped") << u"畑 9  -ばたけ,はた"_s << u"ばたけ"_s;
    QTest::newRow("kun alone in the Jōyō table") << u"貝 7 バイ かい"_s << u"かい"_s;
    QTest::newRow("not the first kun") << u"埼 11 キ さき,さい,みさき"_s << u"さい"_s;
}

void TestGradeKanji::listReading()
{
    QFETCH(QString, kanji);
    QFETCH(QString, reading);
    QCOMPARE(GradeOrder::listReading(schoolKanji(kanji)), reading);
}

void TestGradeKanji::order_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");

    QTest::newRow("gojūon") << u"右 5 ウ,ユウ みぎ"_s << u"雨 8 ウ あめ"_s;
    QTest::newRow("the sounds before their marks") << u"画 8 ガ"_s << u"回 6 カイ"_s;
    QTest::newRow("plain before voiced") << u"火 4 カ ひ"_s << u"画 8 ガ"_s;
    QTest::newRow("small kana as large ones") << u"立 5 リツ"_s << u"力 2 リョク"_s;
    // Readings made up for the marks alone: they decide before the strokes.
    QTest::newRow("large before small") << u"甲 5 キヨ"_s << u"乙 1 キョ"_s;
    QTest::newRow("voiced before semi-voiced") << u"場 12 バ"_s << u"八 2 パ"_s;
    QTest::newRow("on before kun of the same sound") << u"最 12 サイ"_s << u"埼 11 キ さき,さい"_s;
    QTest::newRow("fewer strokes") << u"汽 7 キ"_s << u"記 10 キ"_s;
    QTest::newRow("then the code point") << u"千 3 セン"_s << u"川 3 セン"_s;
}

void TestGradeKanji::order()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    const SchoolKanji one = schoolKanji(first);
    const SchoolKanji other = schoolKanji(second);
    QVERIFY(GradeOrder::before(one, other));
    QVERIFY(!GradeOrder::before(other, one));
    QList<SchoolKanji> list{other, one};
    GradeOrder::sort(list);
    QCOMPARE(list, (QList<SchoolKanji>{one, other}));
}

void TestGradeKanji::readsKanjidic()
{
    const QByteArray xml =
        kanjidic(u"<character><literal>学</literal>"
                 "<misc><grade>1</grade><stroke_count>8</stroke_count>"
                 "<stroke_count>7</stroke_count></misc>"
                 "<reading_meaning><rmgroup>"
                 "<reading r_type=\"pinyin\">xue2</reading>"
                 "<reading r_type=\"ja_on\">ガク</reading>"
                 "<reading r_type=\"ja_kun\">まな.ぶ</reading>"
                 "<meaning>study</meaning></rmgroup>"
                 "<nanori>さと</nanori></reading_meaning></character>\n"
                 "<character><literal>亜</literal>"
                 "<misc><grade>8</grade><stroke_count>7</stroke_count></misc>"
                 "</character>\n"
                 "<character><literal>丂</literal>"
                 "<misc><stroke_count>2</stroke_count></misc></character>\n"_s.toUtf8());
    const SchoolKanji expected{U'学', 1, 8, {u"ガク"_s}, {u"まな.ぶ"_s}};
    QCOMPARE(KanjidicReader::read(xml), QList<SchoolKanji>{expected});
}

// The readings table takes the Jōyō and Jinmeiyō kanji too, one outside the BMP among them.
void TestGradeKanji::readsEveryGrade()
{
    const QByteArray xml =
        kanjidic(u"<character><literal>亜</literal>"
                 "<misc><grade>8</grade><stroke_count>7</stroke_count></misc>"
                 "<reading_meaning><rmgroup><reading r_type=\"ja_on\">ア</reading>"
                 "</rmgroup></reading_meaning></character>\n"
                 "<character><literal>丂</literal>"
                 "<misc><stroke_count>2</stroke_count></misc></character>\n"
                 "<character><literal>𠮟</literal>"
                 "<misc><grade>8</grade><stroke_count>5</stroke_count></misc>"
                 "<reading_meaning><rmgroup><reading r_type=\"ja_kun\">しか.る</reading>"
                 "</rmgroup></reading_meaning></character>\n"
                 "<character><literal>凜</literal>"
                 "<misc><grade>10</grade><stroke_count>15</stroke_count></misc>"
                 "</character>\n"_s.toUtf8());
    const QList<SchoolKanji> expected{
        {U'亜', 8, 7, {u"ア"_s}, {}}, {U'𠮟', 8, 5, {}, {u"しか.る"_s}}, {U'凜', 10, 15, {}, {}}};
    QCOMPARE(KanjidicReader::read(xml, SchoolKanji::LastKanjidicGrade), expected);
    QVERIFY(KanjidicReader::read(xml).isEmpty());
}

void TestGradeKanji::badKanjidic_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("message");

    QTest::newRow("not KANJIDIC2") << QByteArray("<html></html>") << u"KANJIDIC2 ではありません"_s;
    QTest::newRow("mismatched tag")
        << kanjidic(u"<character><literal>一</grade></character>"_s.toUtf8())
        << u"KANJIDIC2 の 7 行目"_s;
    QTest::newRow("no strokes")
        << kanjidic(u"<character><literal>一</literal><misc><grade>1</grade></misc></character>"_s
                        .toUtf8())
        << u"KANJIDIC2 の 7 行目: 学年 1 の字に文字か画数がありません"_s;
    QTest::newRow("two characters")
        << kanjidic(u"<character><literal>一二</literal><misc><grade>1</grade>"
                    "<stroke_count>1</stroke_count></misc></character>"_s.toUtf8())
        << u"学年 1 の字に文字か画数がありません"_s;
}

void TestGradeKanji::badKanjidic()
{
    QFETCH(QByteArray, xml);
    QFETCH(QString, message);
    try {
        KanjidicReader::read(xml);
        QFAIL("read");
    } catch (const HekiraError &error) {
        QVERIFY2(error.message().contains(message), qPrintable(error.message()));
    }
}

void TestGradeKanji::document()
{
    const TextDocument document = GradeKanji::document(1);
    QCOMPARE(document.lines().count(), 80);
    QVERIFY(document.toBytes().startsWith(Cp932::encode(u"一\r\n右\r\n雨\r\n"_s)));
    QVERIFY(document.toBytes().endsWith(Cp932::encode(u"林\r\n六\r\n"_s)));
}

void TestGradeKanji::noSuchGrade_data()
{
    QTest::addColumn<int>("grade");

    QTest::newRow("0") << 0;
    QTest::newRow("7") << 7;
}

void TestGradeKanji::noSuchGrade()
{
    QFETCH(int, grade);
    QVERIFY_THROWS_EXCEPTION(HekiraError, GradeKanji::kanji(grade));
}

QTEST_GUILESS_MAIN(TestGradeKanji)
#include "tst_gradekanji.moc"
