#include "CallerIdAmiReader.h"
#include "CallerIdAmiRing.h"
#include "CallerIdModemParser.h"
#include "CallerIdNcidLine.h"
#include "CallerIdNotification.h"
#include "CallerIdNumber.h"
#include "CallerIdPacket.h"
#include "Mutator.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <numeric>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

// The numbers a modem parser takes from a stream of lines.
QStringList numbersOf(const QList<QByteArray>& lines)
{
    CallerIdModemParser parser;
    QStringList numbers;
    for (const QByteArray& line : lines) {
        const auto result = parser.feed(line);
        if (!result.number.isEmpty())
            numbers << result.number;
    }
    return numbers;
}

const QByteArray kSingle = "041230333231313430353032313233343536373854";
const QByteArray kSingleWithheld = "040930333231313430355013";
const QByteArray kMultiple = "802501083033323131343035020B3031303938373635343332070C484F4E472047494C444F4E4715";
const QByteArray kMultipleOutOfArea = "80100108303332313134303504014F08014F2B";
const QByteArray kMultipleNameFirst = "801107034B494D020A3033313132333435363778";

} // namespace

TEST(CallerIdRules, NumbersBecomeDomesticDiallingText)
{
    const QList<std::pair<QString, QString>> cases{
        {u" 02-123-4567 "_s, u"021234567"_s},
        {u"(031) 123 4567"_s, u"0311234567"_s},
        {u"+82 10-1234-5678"_s, u"01012345678"_s},
        {u"821012345678"_s, u"01012345678"_s},
        {u"+82(0)2 1234 5678"_s, u"0212345678"_s},
        {u"00821012345678"_s, u"01012345678"_s},
        {u"1012345678"_s, u"01012345678"_s}, // the trunk dropped the 0
        {u"212345678"_s, u"0212345678"_s},
        {u"15881234"_s, u"15881234"_s},
        {u"82345678"_s, u"82345678"_s},      // a local number, not the country code
        {u"*77"_s, u"*77"_s},
        {u"0000000000"_s, QString()},
        {u"Restricted"_s, QString()},
        {u"<unknown>"_s, QString()},
        {u"02#1234"_s, QString()},
        {u"０２１２３４５６７８"_s, QString()},
    };
    for (const auto& [raw, expected] : cases)
        EXPECT_EQ(NormalizeCallerNumber(raw), expected) << raw.toStdString();
}

TEST(CallerIdRules, ModemTextYieldsOneNumberPerCall)
{
    struct Case {
        const char* what;
        QList<QByteArray> lines;
        QStringList numbers;
    };
    const QList<Case> cases{
        {"formatted", {"RING", "DATE = 0321", "TIME = 1405", "NMBR = 0212345678", "NAME = HONG GILDONG", "RING"},
         {u"0212345678"_s}},
        {"no spaces, empty and garbage values, name first",
         {"DATE=0330", "TIME =", "TIME = 12541", "NAME=KIM", "NMBR=0311234567"}, {u"0311234567"_s}},
        {"DDN_NMBR counts as the number", {"RING", "DDN_NMBR = 01012345678"}, {u"01012345678"_s}},
        {"two NMBR lines keep the first", {"NMBR = 0212345678", "NMBR = 0299999999"}, {u"0212345678"_s}},
        {"withheld numbers are no call",
         {"NMBR = P", "RING", "NMBR = O", "RING", "NMBR = 0000000000", "RING", "NMBR = Restricted"}, {}},
        {"a withheld first NMBR still blocks a second", {"NMBR = P", "NMBR = 0212345678"}, {}},
        {"RING, RING A, RING 1 and DATE start the next call",
         {"NMBR = 0212345678", "RING A", "NMBR = 0212345678", "RING 1", "NMBR = 0311111111", "DATE = 0101",
          "NMBR = 0322222222"},
         {u"0212345678"_s, u"0212345678"_s, u"0311111111"_s, u"0322222222"_s}},
        {"messages, ring cadence and command echo are not numbers",
         {"MESG = CALID_202", "DRON=5", "AT+VCID=1", "CONNECT 9600", "0212345678"}, {}},
        {"unformatted packets, one call each",
         {kSingle, kMultiple, kMultipleNameFirst, kSingleWithheld, kMultipleOutOfArea},
         {u"0212345678"_s, u"01098765432"_s, u"0311234567"_s}},
        {"lower-case hex and surrounding blanks", {"  " + kSingle.toLower() + " \r"}, {u"0212345678"_s}},
        {"a packet with a wrong checksum, cut short, overrun by a parameter or not hex is nothing",
         {kSingle.chopped(2) + "55", kMultiple.chopped(4), kSingle + "00", "04", "8003020A3071",
          "0412G0333231313430353032313233343536373854"},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(numbersOf(c.lines), c.numbers);
    }

    CallerIdModemParser parser;
    EXPECT_EQ(parser.feed("OK").reply, CallerIdModemParser::Reply::Ok);
    EXPECT_EQ(parser.feed(" ERROR\r").reply, CallerIdModemParser::Reply::Error);
    EXPECT_EQ(parser.feed("NMBR = OK").reply, CallerIdModemParser::Reply::None);
}

TEST(CallerIdRules, LibraryNotificationsOnlyCallersWithANumber)
{
    auto message = [](char line, char kind, int length, QByteArray number) {
        QByteArray m = "x" + QByteArray(1, line) + QByteArray(1, kind) + "yymmddhhmms" + QByteArray(1, char(length));
        return m + number + QByteArray(256 - m.size() - number.size(), '\0');
    };
    const auto call = CallerIdNotification::parse(message('2', 'C', 10, "0212345678"));
    ASSERT_TRUE(call);
    EXPECT_EQ(call->number, u"0212345678"_s);
    EXPECT_EQ(call->line, 2);
    EXPECT_EQ(CallerIdNotification::parse(message('x', 'C', 11, "01012345678"))->line, 0);
    for (const QByteArray& other : {message('1', 'H', 10, "0212345678"), message('1', 'h', 10, "0212345678"),
                                    message('1', 'c', 10, "0212345678"), message('1', 'C', 0, "0212345678"),
                                    message('1', 'C', 1, "P"), QByteArray("x1C")})
        EXPECT_FALSE(CallerIdNotification::parse(other)) << other.left(20).toStdString();
    // The number ends at the first NUL, whatever the buffer holds after it.
    EXPECT_EQ(CallerIdNotification::parse(message('1', 'C', 8, QByteArray("15881234\0" "99", 11)))->number,
              u"15881234"_s);
}

TEST(CallerIdRules, LanServerLinesOnlyLiveIncomingCalls)
{
    EXPECT_EQ(CallerIdNcidLine::callerNumber("CID: *DATE*05042011*TIME*2149*LINE*VOIP*NMBR*0212345678*MESG*NONE*NAME*HONG*"),
              u"0212345678"_s);
    EXPECT_EQ(CallerIdNcidLine::callerNumber("CID: *NMBR*+821012345678*NAME*KIM*\r"), u"01012345678"_s);
    for (const char* line : {"CIDLOG: *DATE*05042011*TIME*2149*LINE*VOIP*NMBR*0212345678*", "LOG: *NMBR*0212345678*",
                             "CIDINFO: *LINE*VOIP*RING*1*TIME*21:49:49*", "OUT: *NMBR*0212345678*",
                             "HUP: *NMBR*0212345678*", "BLK: *NMBR*0212345678*", "200 Server: ncidd",
                             "CID: *NMBR*OUT-OF-AREA*NAME*-*", "CID: *NAME*0212345678*", "CID:"}) {
        EXPECT_FALSE(CallerIdNcidLine::callerNumber(line)) << line;
    }
}

TEST(CallerIdRules, PbxEventsRingTheExtensionOncePerCall)
{
    CallerIdAmiReader reader;
    QList<CallerIdAmiReader::Message> messages;
    const QByteArray stream(
        "Asterisk Call Manager/5.0.3\r\n"
        "Response: Success\r\nMessage: Authentication accepted\r\n\r\n"
        // Another extension rings.
        "Event: DialBegin\r\nDestChannel: PJSIP/102-00000001\r\nDestExten: 102\r\nCallerIDNum: 0211111111\r\nDestUniqueid: a1\r\n\r\n"
        // Ours, by channel; the same ring as Newstate afterwards.
        "Event: DialBegin\r\nCallerIDNum: 821012345678\r\nDestChannel: PJSIP/101-00000002\r\nDestUniqueid: a2\r\n\r\n"
        "Event: Newstate\r\nChannel: PJSIP/101-00000002\r\nChannelStateDesc: Ringing\r\nConnectedLineNum: 821012345678\r\nUniqueid: a2\r\n\r\n"
        // Ours, by the dialled extension on a local channel, header case changed.
        "event: dialbegin\r\ndestexten: 101\r\ndestchannel: Local/200@from-internal-0003;1\r\ncalleridnum: 0312223333\r\ndestuniqueid: a3\r\n\r\n"
        // Only Newstate announces this one.
        "Event: Newstate\r\nChannel: SIP/101-00000004\r\nChannelStateDesc: Ringing\r\nConnectedLineNum: 0211112222\r\nUniqueid: a4\r\n\r\n"
        // Answered and unknown callers bring nothing.
        "Event: Newstate\r\nChannel: PJSIP/101-00000005\r\nChannelStateDesc: Up\r\nConnectedLineNum: 0299998888\r\nUniqueid: a5\r\n\r\n"
        "Event: DialBegin\r\nDestChannel: PJSIP/101-00000006\r\nCallerIDNum: <unknown>\r\nDestUniqueid: a6\r\n\r\n"
        // A longer extension that merely starts with ours.
        "Event: DialBegin\r\nDestChannel: PJSIP/1010-00000007\r\nCallerIDNum: 0277776666\r\nDestUniqueid: a7\r\n\r\n");
    for (const QByteArray& line : stream.split('\n')) {
        if (auto m = reader.feed(line))
            messages << *m;
    }
    ASSERT_EQ(messages.size(), 9);
    EXPECT_EQ(messages[0].value(u"message"_s), u"Authentication accepted"_s);

    auto rings = [&messages](const QString& extension) {
        CallerIdAmiRing ring(extension);
        QStringList numbers;
        for (const auto& m : messages) {
            if (auto n = ring.callerOf(m))
                numbers << *n;
        }
        return numbers;
    };
    EXPECT_EQ(rings(u"101"_s), (QStringList{u"01012345678"_s, u"0312223333"_s, u"0211112222"_s}));
    EXPECT_EQ(rings(u"PJSIP/101"_s), QStringList{u"01012345678"_s});
    EXPECT_EQ(rings(QString()), QStringList());
}

// Random bytes and damaged real lines: every parser returns, quickly, and a number is digits.
TEST(CallerIdRules, FuzzedLinesGiveDiallingTextOrNothing)
{
    test::Mutator lines({"NMBR = 0212345678", "DATE = 0321", kSingle, kMultiple,
                         "CID: *DATE*05042011*NMBR*0212345678*NAME*HONG*", "Event: DialBegin",
                         "DestChannel: PJSIP/101-00000002", "CallerIDNum: 0212345678",
                         QByteArray("x1Cyymmddhhmms\x0a" "0212345678")});
    auto dialText = [](const std::optional<QString>& n) {
        return !n || std::all_of(n->cbegin(), n->cend(), [](QChar c) { return c.isDigit() || c == u'*'; });
    };

    CallerIdModemParser modem;
    CallerIdAmiReader reader;
    CallerIdAmiRing ring(u"101"_s);
    lines.run(50000, [&](const QByteArray& line) {
        EXPECT_TRUE(dialText(modem.feed(line).number));
        // A packet gives the number as sent; what a desk dials is its normal form.
        const auto packet = CallerIdPacket::number(line);
        EXPECT_TRUE(dialText(packet ? std::optional(NormalizeCallerNumber(*packet)) : std::nullopt));
        const auto notification = CallerIdNotification::parse(line);
        EXPECT_TRUE(dialText(notification ? std::optional(notification->number) : std::nullopt));
        EXPECT_TRUE(dialText(CallerIdNcidLine::callerNumber(line)));
        if (const auto m = reader.feed(lines.below(7) ? line : QByteArray())) {
            EXPECT_TRUE(dialText(ring.callerOf(*m)));
        }
    });
    // A megabyte in one line as well.
    modem.feed(lines.noise(1 << 20));
    EXPECT_FALSE(CallerIdPacket::number(QByteArray(1 << 20, 'A')));

    // Damaged packets whose length and checksum are made right again, so that the parameters
    // inside reach the parser instead of failing the checksum; what they carry is no number.
    test::Mutator packets({QByteArray::fromHex(kSingle), QByteArray::fromHex(kSingleWithheld),
                           QByteArray::fromHex(kMultiple), QByteArray::fromHex(kMultipleOutOfArea)});
    int parsed = 0;
    packets.run(20000, [&](QByteArray bytes) {
        if (bytes.size() < 3 || bytes.size() > 258)
            return;
        bytes[0] = (bytes[0] & 1) ? '\x80' : '\x04';
        bytes[1] = static_cast<char>(bytes.size() - 3);
        const int sum = std::accumulate(bytes.cbegin(), bytes.cend() - 1, 0, [](int s, char c) { return s + static_cast<unsigned char>(c); });
        bytes.back() = static_cast<char>((256 - sum % 256) % 256);
        parsed += CallerIdPacket::number(bytes.toHex()).has_value();
        EXPECT_TRUE(dialText(CallerIdModemParser().feed(bytes.toHex()).number)) << bytes.toHex().toStdString();
    });
    EXPECT_GT(parsed, 1000);
}
