#include "SampleDataGenerator.h"

#include "BulkInsert.h"
#include "Clock.h"
#include "CustomerBalance.h"
#include "TrigramIndex.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QElapsedTimer>
#include <algorithm>
#include <bit>
#include <string>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// Two years of documents; customers older than that came in over the three years before.
constexpr int kDocumentDays = 730;
constexpr int kEarlierDays = 3 * 365;
// A quarter of the customers registers during the two years, the rest before.
constexpr int kNewCustomerPercent = 25;

constexpr const char16_t* kSurnames[] = {u"김", u"김", u"김", u"김", u"이", u"이", u"이", u"박", u"박",
                                         u"최", u"정", u"강", u"조", u"윤", u"장", u"임", u"한", u"오",
                                         u"서", u"신", u"권", u"황", u"안", u"송", u"류", u"홍"};
constexpr const char16_t* kGivenNames[] = {
    u"민준", u"서준", u"도윤", u"예준", u"시우", u"하준", u"지호", u"주원", u"지후", u"준우", u"준서",
    u"건우", u"현우", u"우진", u"선우", u"서연", u"서윤", u"지우", u"서현", u"민서", u"하은", u"하윤",
    u"윤서", u"지유", u"지민", u"채원", u"수아", u"지아", u"지윤", u"은서", u"영수", u"영호", u"정호",
    u"성민", u"상훈", u"미경", u"은정", u"지영", u"혜진", u"수진", u"경희", u"순자", u"정숙", u"명수",
    u"동현", u"재훈", u"성호", u"영미", u"태호", u"광수"};

struct Staff {
    const char16_t* name;
    const char* login;
};
constexpr Staff kStaff[] = {{u"김민준", "minjun"}, {u"이서연", "seoyeon"}, {u"박지훈", "jihoon"},
                            {u"최수빈", "subin"},  {u"정우진", "woojin"},  {u"강하은", "haeun"}};

constexpr const char16_t* kCompanyStems[] = {
    u"한빛", u"대성", u"우리", u"성진", u"동방", u"미래", u"새한", u"태양", u"청솔", u"푸른", u"한결",
    u"보람", u"나래", u"다온", u"가람", u"세움", u"으뜸", u"진성", u"영진", u"신화", u"대한", u"삼일",
    u"제일", u"동양", u"금강", u"한라", u"백두", u"태평", u"동서", u"남양", u"일신", u"한성", u"광명",
    u"정우", u"유진", u"세종", u"해오름", u"늘푸른", u"한마음", u"새빛"};
constexpr const char16_t* kCompanySuffixes[] = {
    u"전자", u"산업", u"정밀", u"테크", u"물산", u"상사", u"기계", u"건설", u"시스템", u"통상", u"유통",
    u"식품", u"디자인", u"인쇄", u"의료기", u"엔지니어링", u"네트웍스", u"솔루션", u"화학", u"물류"};
struct Trade {
    const char16_t* status;
    const char16_t* item;
};
constexpr Trade kCompanyTrades[] = {{u"도소매", u"사무용품"},   {u"제조", u"전자부품"}, {u"서비스", u"소프트웨어개발"},
                                    {u"도소매", u"식료품"},     {u"서비스", u"인쇄"},   {u"건설", u"실내건축"},
                                    {u"제조", u"금속가공"},     {u"서비스", u"광고대행"}, {u"도소매", u"전자제품"},
                                    {u"운수", u"화물운송"}};

constexpr const char16_t* kShopStems[] = {u"행복", u"미소", u"우리", u"바른", u"늘봄", u"하나", u"새봄", u"햇살",
                                          u"소망", u"사랑", u"온누리", u"참", u"밝은", u"튼튼", u"다정", u"한결",
                                          u"푸른숲", u"으뜸", u"좋은", u"제일"};
struct ShopKind {
    const char16_t* kind;
    bool chain; // named "<stem><kind> <district>점"
    const char16_t* status;
    const char16_t* item;
};
constexpr ShopKind kShopKinds[] = {
    {u"마트", true, u"소매", u"식료품"},          {u"약국", false, u"소매", u"의약품"},
    {u"치과의원", false, u"보건업", u"치과의원"}, {u"내과의원", false, u"보건업", u"의원"},
    {u"한의원", false, u"보건업", u"한의원"},     {u"공인중개사", false, u"서비스", u"부동산중개"},
    {u"수학학원", false, u"교육서비스", u"입시학원"}, {u"영어학원", false, u"교육서비스", u"외국어학원"},
    {u"카페", true, u"음식점", u"커피전문점"},    {u"미용실", false, u"서비스", u"미용"},
    {u"안경원", true, u"소매", u"안경"},          {u"꽃집", false, u"소매", u"화훼"},
    {u"세무회계사무소", false, u"서비스", u"세무대리"}, {u"편의점", true, u"소매", u"종합소매"},
    {u"베이커리", true, u"제조소매", u"제과"}};

struct Region {
    const char16_t* name;
    const char16_t* area;
    int zipLow;
    int zipHigh;
    int weight;
    // '|'-separated; a district may name its own roads after '=', else it takes the town roads.
    const char16_t* districts;
};
constexpr const char16_t* kTownRoads = u"중앙로,시청로,번영로,문화로,대학로,산업로,평화로,희망로,중앙대로,역전로";
constexpr Region kRegions[] = {
    {u"서울특별시", u"02", 1, 8, 30,
     u"강남구=테헤란로,강남대로,도산대로,선릉로|서초구=서초대로,반포대로,강남대로|송파구=올림픽로,송파대로,중대로|"
     u"마포구=마포대로,월드컵로,양화로|영등포구=여의대로,국제금융로,영등포로|종로구=종로,세종대로,율곡로|"
     u"중구=을지로,세종대로,퇴계로|용산구=한강대로,이태원로|성동구=왕십리로,성수이로|광진구=천호대로,능동로|"
     u"관악구=관악로,남부순환로|구로구=디지털로,구로중앙로|금천구=가산디지털1로,시흥대로|노원구=동일로,노원로|"
     u"강서구=공항대로,강서로"},
    {u"경기도", u"031", 10, 18, 26,
     u"수원시 영통구|성남시 분당구|고양시 일산동구|용인시 수지구|안양시 동안구|부천시|화성시|평택시|의정부시|"
     u"파주시|김포시|광명시|하남시"},
    {u"인천광역시", u"032", 21, 23, 6, u"남동구|연수구|부평구|서구|미추홀구"},
    {u"부산광역시", u"051", 46, 49, 7,
     u"해운대구=해운대로,센텀중앙로|부산진구=중앙대로,가야대로|동래구=충렬대로,온천장로|남구=수영로,용호로|"
     u"사하구=낙동대로,다대로|연제구=월드컵대로,중앙대로"},
    {u"대구광역시", u"053", 41, 43, 5,
     u"수성구=달구벌대로,동대구로|달서구=달구벌대로,월배로|중구=국채보상로,중앙대로|북구=침산로,칠곡중앙대로"},
    {u"대전광역시", u"042", 34, 35, 4, u"유성구=대덕대로,대학로|서구=계룡로,한밭대로|중구=중앙로,대종로|대덕구=한밭대로,대전로"},
    {u"광주광역시", u"062", 61, 62, 3, u"서구=상무대로,무진대로|북구=무등로,서암대로|광산구=하남대로,무진대로|남구=봉선로,서문대로"},
    {u"울산광역시", u"052", 44, 45, 2, u"남구=삼산로,번영로|중구=중앙로,번영로|울주군=온산로,중앙로"},
    {u"세종특별자치시", u"044", 30, 30, 1, u"한솔동=한누리대로,노을3로|도담동=도움3로,한누리대로|보람동=보듬로,한누리대로"},
    {u"강원특별자치도", u"033", 24, 26, 2, u"춘천시|원주시|강릉시"},
    {u"충청북도", u"043", 27, 29, 2, u"청주시 흥덕구|충주시|제천시"},
    {u"충청남도", u"041", 31, 33, 3, u"천안시 서북구|아산시|서산시"},
    {u"전북특별자치도", u"063", 54, 56, 2, u"전주시 완산구|익산시|군산시"},
    {u"전라남도", u"061", 57, 59, 2, u"목포시|여수시|순천시"},
    {u"경상북도", u"054", 36, 40, 3, u"포항시 남구|구미시|경주시"},
    {u"경상남도", u"055", 50, 53, 4, u"창원시 성산구|김해시|진주시|양산시"},
    {u"제주특별자치도", u"064", 63, 63, 1, u"제주시=중앙로,연삼로,노형로|서귀포시=일주동로,중앙로"}};
// Fixed public holidays, "MM-dd": the office is closed like on a Sunday.
constexpr const char16_t* kHolidays[] = {u"01-01", u"03-01", u"05-05", u"06-06",
                                         u"08-15", u"10-03", u"10-09", u"12-25"};

constexpr const char16_t* kCustomerMemos[] = {
    u"매월 말일 결제", u"세금계산서 발행 요청", u"방문 전 연락 바람", u"주차 불가, 인근 공영주차장 이용",
    u"카드 결제 선호", u"오전 방문 선호", u"담당자 부재 시 경리팀 연결", u"계산서는 이메일로 발송"};
constexpr const char16_t* kEmailParts[] = {u"han", u"bit", u"dae", u"sung", u"mi", u"rae", u"jin", u"young",
                                           u"seo", u"woo", u"tae", u"yang", u"min", u"ho", u"sol", u"na"};
constexpr const char16_t* kEmailDomains[] = {u"example.com", u"example.net", u"example.org"};
constexpr const char16_t* kRepresentativePrefixes[] = {u"1588", u"1577", u"1544", u"1644", u"1661", u"1899"};

constexpr const char16_t* kClasses[] = {u"복합기", u"프린터",      u"토너/잉크",  u"컴퓨터", u"모니터", u"네트워크",
                                        u"주변기기", u"용지/소모품", u"소프트웨어", u"서비스", u"교재"};
struct ProductTemplate {
    const char16_t* name;
    const char16_t* model;
    const char16_t* unit;
    int classIndex;
    qint64 low;
    qint64 high;
    int taxmode;
    int maxQuantity;
    bool serviced;
    int weight; // how often it is sold
};
constexpr ProductTemplate kProductTemplates[] = {
    {u"컬러 레이저 복합기", u"CLM", u"대", 0, 890000, 2500000, 1, 1, true, 1},
    {u"흑백 레이저 복합기", u"BLM", u"대", 0, 350000, 900000, 1, 1, true, 1},
    {u"잉크젯 복합기", u"IJM", u"대", 0, 150000, 400000, 1, 1, true, 1},
    {u"흑백 레이저 프린터", u"LBP", u"대", 1, 150000, 450000, 1, 1, true, 1},
    {u"라벨 프린터", u"LP", u"대", 1, 120000, 350000, 1, 1, true, 1},
    {u"영수증 프린터", u"RP", u"대", 1, 180000, 300000, 1, 2, true, 1},
    {u"검정 토너", u"TN", u"EA", 2, 45000, 120000, 1, 5, false, 6},
    {u"컬러 토너 세트", u"CT", u"SET", 2, 180000, 380000, 1, 2, false, 3},
    {u"잉크 카트리지", u"INK", u"EA", 2, 15000, 45000, 1, 6, false, 5},
    {u"드럼 유닛", u"DR", u"EA", 2, 60000, 150000, 1, 2, false, 2},
    {u"사무용 데스크탑", u"DT", u"대", 3, 550000, 1200000, 1, 3, true, 1},
    {u"업무용 노트북", u"NB", u"대", 3, 800000, 1900000, 1, 2, true, 1},
    {u"미니 PC", u"MPC", u"대", 3, 350000, 700000, 1, 2, true, 1},
    {u"LED 모니터 24형", u"M24", u"대", 4, 150000, 250000, 1, 3, true, 2},
    {u"LED 모니터 27형", u"M27", u"대", 4, 220000, 420000, 1, 2, true, 1},
    {u"유무선 공유기", u"RT", u"대", 5, 45000, 180000, 1, 1, true, 1},
    {u"스위칭 허브 8포트", u"SW8", u"EA", 5, 25000, 80000, 1, 2, false, 1},
    {u"랜 케이블", u"LAN", u"EA", 5, 3000, 15000, 1, 10, false, 3},
    {u"무선 키보드 마우스 세트", u"KM", u"SET", 6, 25000, 60000, 1, 5, false, 2},
    {u"USB 외장하드 1TB", u"HDD", u"EA", 6, 65000, 95000, 1, 2, false, 1},
    {u"바코드 스캐너", u"BS", u"대", 6, 80000, 250000, 1, 2, true, 1},
    {u"A4 복사용지", u"A4", u"BOX", 7, 22000, 32000, 1, 20, false, 8},
    {u"감열지 롤", u"TP", u"BOX", 7, 18000, 35000, 1, 10, false, 4},
    {u"라벨 용지", u"LB", u"BOX", 7, 15000, 40000, 1, 10, false, 3},
    {u"사무용 소프트웨어 라이선스", u"OFS", u"EA", 8, 120000, 450000, 1, 5, false, 1},
    {u"백신 1년 사용권", u"AV", u"EA", 8, 30000, 60000, 1, 10, false, 2},
    {u"정기 점검 서비스", u"SVC", u"식", 9, 50000, 150000, 1, 1, false, 2},
    {u"출장 설치", u"INS", u"식", 9, 30000, 50000, 1, 1, false, 2},
    {u"데이터 복구", u"DRC", u"식", 9, 100000, 500000, 1, 1, false, 1},
    {u"프린터 관리 교재", u"EDU", u"권", 10, 10000, 25000, 0, 5, false, 1},
    {u"전산 실무 교재", u"EDB", u"권", 10, 15000, 30000, 0, 5, false, 1}};
constexpr const char16_t* kProductSeries[] = {u"", u" 플러스", u" 프로", u" 라이트", u" 에코", u" 스마트", u" 디럭스", u" 미니"};

struct FreeItem {
    const char16_t* name;
    qint64 price;
};
constexpr FreeItem kFreeItems[] = {{u"출장비", 30000}, {u"설치비", 50000}, {u"택배비", 4000},
                                   {u"케이블 작업비", 20000}, {u"기타 부품", 15000}};
constexpr const char16_t* kSlipMemos[] = {u"택배 발송", u"방문 설치", u"월말 일괄 결제", u"견적서 기준"};
constexpr const char16_t* kReceiptMemos[] = {u"현관 앞 보관", u"경비실 맡김", u"부재 시 연락"};
constexpr const char16_t* kPaymentMemos[] = {u"계좌이체", u"현금 수금", u"카드 결제", u"월말 정산"};

struct Code {
    const char16_t* name;
    qint64 amount;
};
constexpr Code kReceptionCodes[] = {{u"고장수리", 0}, {u"정기점검", 0}, {u"설치요청", 0},
                                    {u"소모품교체", 0}, {u"이전설치", 0}, {u"사용법문의", 0}};
constexpr Code kCauseCodes[] = {{u"부품노후", 0}, {u"사용자과실", 0}, {u"소모품수명", 0},
                                {u"제품불량", 0}, {u"환경요인", 0}, {u"원인불명", 0}};
constexpr Code kResultCodes[] = {{u"부품교체", 50000}, {u"현장수리", 30000}, {u"입고수리", 40000},
                                 {u"청소및점검", 20000}, {u"설정변경", 10000}, {u"제품교환", 0}};
constexpr const char16_t* kComplaints[] = {
    u"용지 걸림 발생", u"인쇄 시 줄 생김", u"전원이 들어오지 않음", u"부팅 안 됨", u"인터넷 연결 끊김",
    u"토너 교체 요청", u"화면 깜빡임", u"소음 발생", u"스캔 안 됨", u"드라이버 설치 요청", u"사무실 이전 재설치"};
constexpr const char16_t* kWorkNotes[] = {u"롤러 교체 후 테스트 인쇄 정상", u"메인보드 점검, 커넥터 재장착",
                                          u"드라이버 재설치", u"내부 청소 및 정착기 점검", u"전원부 교체",
                                          u"공유기 설정 초기화 후 재설정", u"제조사 입고 처리"};

struct Topic {
    const char16_t* name;
    const char16_t* inquiry;
    const char16_t* answer;
};
constexpr Topic kTopics[] = {
    {u"제품문의", u"복합기 양면 스캔 가능 여부 문의", u"가능 모델 안내, 카탈로그 문자 발송"},
    {u"가격문의", u"토너 대량 구매 시 단가 문의", u"수량별 단가 안내, 견적서 메일 발송 예정"},
    {u"AS문의", u"인쇄물에 줄이 생긴다고 함", u"AS 접수, 방문 일정 조율"},
    {u"배송문의", u"주문한 용지 도착 예정일 문의", u"내일 오전 배송 예정 안내"},
    {u"결제문의", u"미수금 잔액 확인 요청", u"잔액 안내, 월말 이체 예정이라고 함"},
    {u"불만접수", u"수리 후 같은 증상 재발", u"재방문 접수, 담당 기사 배정"},
    {u"기타", u"사무실 이전 일정 안내", u"이전 설치 일정 메모"}};

// Money in whole won; the VAT split of a line as the sales slip computes it.
void splitVat(int vatType, qint64 amount, qint64& supply, qint64& tax)
{
    supply = amount;
    tax = 0;
    if (vatType == 1) {
        supply = (amount * 20 + 11) / 22; // amount / 1.1, halves away from zero (amount >= 0)
        tax = amount - supply;
    } else if (vatType == 2) {
        tax = amount / 10;
    }
}

// Static text used as a QString without copying it.
QString lit(const char16_t* text)
{
    return QString::fromRawData(reinterpret_cast<const QChar*>(text),
                                static_cast<qsizetype>(std::char_traits<char16_t>::length(text)));
}

} // namespace

SampleDataGenerator::Size SampleDataGenerator::Size::demo()
{
    return {30, 40, 500, 120, 40, 200};
}

SampleDataGenerator::Size SampleDataGenerator::Size::small()
{
    return {1000, 300, 30000, 6000, 2000, 10000};
}

SampleDataGenerator::Size SampleDataGenerator::Size::large()
{
    return {100000, 3000, 1000000, 200000, 100000, 300000};
}

std::optional<SampleDataGenerator::Size> SampleDataGenerator::Size::named(QStringView name)
{
    if (name == u"demo")
        return demo();
    if (name == u"small")
        return small();
    if (name == u"large")
        return large();
    return std::nullopt;
}

SampleDataGenerator::SampleDataGenerator(quint64 seed, QDate lastDay)
    : m_rng(seed)
    , m_lastDay(lastDay.isValid() ? lastDay : Clock::today())
    , m_firstDay(m_lastDay.addDays(1 - kDocumentDays))
    , m_days(kDocumentDays)
{
    // Dates are written over and over: format each day once.
    for (int day = -kEarlierDays - 1; day < m_days + 10; ++day)
        m_dayTexts.append(m_firstDay.addDays(day).toString(u"yyyy-MM-dd"_s));
}

// The engine's raw output rather than a standard distribution, whose numbers differ between
// libraries: the same seed must give the same database everywhere.
int SampleDataGenerator::below(int n)
{
    return static_cast<int>(m_rng() % static_cast<quint64>(n));
}

qint64 SampleDataGenerator::between(qint64 low, qint64 high)
{
    return low + static_cast<qint64>(m_rng() % static_cast<quint64>(high - low + 1));
}

template <typename List>
const auto& SampleDataGenerator::anyOf(const List& list)
{
    return list[below(static_cast<int>(std::size(list)))];
}

template <size_t N>
QString SampleDataGenerator::pick(const char16_t* const (&list)[N])
{
    return lit(anyOf(list));
}

bool SampleDataGenerator::chance(int percent)
{
    return below(100) < percent;
}

QString SampleDataGenerator::personName()
{
    return pick(kSurnames) + pick(kGivenNames);
}

QString SampleDataGenerator::digits(int count)
{
    QString out;
    out.reserve(count);
    for (int i = 0; i < count; ++i)
        out += QChar(u'0' + below(10));
    return out;
}

QString SampleDataGenerator::landline(const QString& area)
{
    // Seoul mostly has four-digit exchanges, the provinces three or four.
    const bool longExchange = chance(area == u"02" ? 70 : 50);
    const QString exchange = QString::number(longExchange ? between(2000, 9999) : between(200, 999));
    return area + u'-' + exchange + u'-' + digits(4);
}

// Business registration number "ddd-dd-ddddd" with its check digit; "81" marks a corporation.
QString SampleDataGenerator::businessNumber(bool corporate)
{
    const QString number = QString::number(between(101, 899))
        + (corporate ? u"81"_s : QString::number(between(10, 79))) + digits(4);
    static constexpr int kWeights[] = {1, 3, 7, 1, 3, 7, 1, 3, 5};
    int sum = 0;
    for (int d = 0; d < 9; ++d)
        sum += (number[d].unicode() - u'0') * kWeights[d];
    sum += (number[8].unicode() - u'0') * 5 / 10;
    return number.left(3) + u'-' + number.mid(3, 2) + u'-' + number.mid(5) + QChar(u'0' + (10 - sum % 10) % 10);
}

// EAN-13 with the Korean prefix and its check digit.
QString SampleDataGenerator::barcode()
{
    const QString code = u"880"_s + digits(9);
    int sum = 0;
    for (int d = 0; d < 12; ++d)
        sum += (code[d].unicode() - u'0') * (d % 2 ? 3 : 1);
    return code + QChar(u'0' + (10 - sum % 10) % 10);
}

QString SampleDataGenerator::mobile()
{
    return u"010-"_s + QString::number(between(2000, 9999)) + u'-' + digits(4);
}

// The six-digit numbers end at 999999; later products take a letter and five digits, as a code
// typed with a prefix does.
QString SampleDataGenerator::productCode(int index)
{
    constexpr int kNumbered = 999999;
    constexpr int kPerLetter = 99999;
    if (index < kNumbered)
        return QString::number(index + 1).rightJustified(6, u'0');
    const int beyond = index - kNumbered;
    return QChar(u'A' + beyond / kPerLetter) + QString::number(beyond % kPerLetter + 1).rightJustified(5, u'0');
}

QString SampleDataGenerator::dateText(int day) const
{
    return m_dayTexts.at(day + kEarlierDays + 1);
}

QString SampleDataGenerator::timeText(int fromHour, int toHour)
{
    return QString::asprintf("%02d:%02d", static_cast<int>(between(fromHour, toHour - 1)), below(60));
}

QString SampleDataGenerator::timeSoFarToday()
{
    // A desk opened in the morning must not list calls from the afternoon.
    const int now = Clock::now().time().msecsSinceStartOfDay() / 60000;
    const int from = std::min(9 * 60, now);
    const int minute = from + below(now - from + 1);
    return QString::asprintf("%02d:%02d", minute / 60, minute % 60);
}

bool SampleDataGenerator::generate(const Size& size)
{
    if (size.customers > kMaxCustomers) {
        MsgWarn(u"예제 거래처는 최대 %1개까지 만들 수 있습니다."_s.arg(kMaxCustomers));
        return false;
    }
    if (DBRecordCount(u"customer"_s) > 0) {
        MsgWarn(u"거래처 자료가 이미 있는 데이터베이스에는 예제 자료를 만들 수 없습니다."_s);
        return false;
    }
    m_phases.clear();
    const auto step = [this](const QString& what, const auto& body, const auto& rows) {
        QElapsedTimer timer;
        timer.start();
        DBExecute(u"START TRANSACTION"_s);
        bool ok = body();
        if (ok) {
            DBExecute(u"COMMIT"_s);
            ok = !DBLastFailed();
        } else {
            DBExecute(u"ROLLBACK"_s, true);
        }
        m_phases.append({what, rows(), timer.elapsed()});
        return ok;
    };
    const bool ok = step(u"local_user, ascode"_s, [&] { return insertUsers() && insertAsCodes(); },
                [&] { return static_cast<qint64>(m_users.size()); })
        && step(u"pclass, product"_s, [&] { return insertProducts(size.products); },
                [&] { return static_cast<qint64>(m_products.size()); })
        && step(u"customer"_s, [&] { return insertCustomers(size.customers); },
                [&] { return static_cast<qint64>(m_customers.size()); })
        && step(u"sale, receive, aslist_m, aslist_d, rsvconsult"_s, [&] { return insertDocuments(size); },
                [&] { return m_documentRows; })
        && step(u"customer.nowmoney"_s, [&] { return updateBalances(); },
                [&] { return static_cast<qint64>(m_customers.size()); });
    if (ok)
        analyze();
    return ok;
}

void SampleDataGenerator::analyze()
{
    // The statistics of the empty tables would plan the first searches as scans.
    QStringList tables{u"local_user"_s, u"ascode"_s, u"pclass"_s, u"product"_s, u"customer"_s, u"sale"_s,
                       u"receive"_s, u"aslist_m"_s, u"aslist_d"_s, u"rsvconsult"_s};
    for (const QString& table : {u"customer"_s, u"product"_s}) {
        if (TrigramIndex::present(table))
            tables << TrigramIndex::sideTableFor(table);
    }
    RecordSetPtr rs;
    DBOpenRS(rs, u"ANALYZE TABLE "_s + tables.join(u", "_s), true);
    CloseRS(rs);
}

bool SampleDataGenerator::insertUsers()
{
    BulkInsert users(u"local_user"_s, u"code, loginid, loginpwd, name, telno, hpno, consult, hidden"_s);
    int n = 0;
    for (const Staff& s : kStaff) {
        const QString code = QString::number(++n).rightJustified(2, u'0');
        users.text(code).text(QString::fromLatin1(s.login)).text(u"").text(lit(s.name));
        users.text(u"02-555-01"_s + code).text(mobile()).number(1).number(0);
        users.endRow();
        m_users.append(code);
    }
    return users.flush();
}

bool SampleDataGenerator::insertAsCodes()
{
    BulkInsert codes(u"ascode"_s, u"pcode, part, name, amount"_s);
    const auto add = [&](int part, const auto& list) {
        for (const auto& c : list)
            codes.text(u"000000").number(part).text(lit(c.name)).number(c.amount).endRow();
    };
    add(0, kReceptionCodes);
    add(1, kCauseCodes);
    add(2, kResultCodes);
    for (const Topic& t : kTopics)
        codes.text(u"000000").number(9).text(lit(t.name)).number(0).endRow();
    return codes.flush() && readAsCodes();
}

bool SampleDataGenerator::readAsCodes()
{
    RecordSetPtr rs;
    DBOpenRS(rs, u"SELECT code, part, amount FROM ascode WHERE pcode = '000000' ORDER BY code"_s);
    if (!rs)
        return false;
    for (int row = 0; row < rs->rowCount(); ++row) {
        const AsCode code{rs->value(row, 0).toInt(), static_cast<qint64>(rs->value(row, 2).toDouble())};
        switch (rs->value(row, 1).toInt()) {
        case 0: m_receptionCodes.push_back(code); break;
        case 1: m_causeCodes.push_back(code); break;
        case 2: m_resultCodes.push_back(code); break;
        case 9: m_consultCodes.push_back(code); break;
        default: break;
        }
    }
    return !m_receptionCodes.empty() && !m_causeCodes.empty() && !m_resultCodes.empty() && !m_consultCodes.empty();
}

bool SampleDataGenerator::insertProducts(int count)
{
    BulkInsert classes(u"pclass"_s, u"code, name"_s);
    int n = 0;
    for (const char16_t* name : kClasses)
        classes.text(QString::number(++n).rightJustified(4, u'0')).text(lit(name)).endRow();
    if (!classes.flush())
        return false;

    BulkInsert products(u"product"_s,
                        u"code, bcode, name, norm, taxmode, classname, unit, regdate, hidden, saleprice"_s);
    constexpr int kTemplates = static_cast<int>(std::size(kProductTemplates));
    qint64 weight = 0;
    for (int i = 0; i < count; ++i) {
        const ProductTemplate& t = kProductTemplates[i % kTemplates];
        const int variant = i / kTemplates;
        Product p;
        p.code = productCode(i);
        p.name = lit(t.name) + lit(kProductSeries[variant % std::size(kProductSeries)]);
        p.norm = lit(t.model) + u'-' + QString::number(100 + variant * 10 + below(10));
        const qint64 price = between(t.low, t.high);
        p.price = price >= 100000 ? price / 1000 * 1000 : price / 100 * 100;
        p.taxmode = t.taxmode;
        p.maxQuantity = t.maxQuantity;
        p.serviced = t.serviced;

        products.text(p.code).text(chance(65) ? barcode() : QString()).text(p.name).text(p.norm).number(p.taxmode);
        products.text(lit(kClasses[t.classIndex])).text(lit(t.unit));
        products.text(dateText(-30 - below(700))).number(chance(3) ? 1 : 0).number(p.price).endRow();

        weight += t.weight;
        m_productWeights.push_back(weight);
        if (p.serviced)
            m_serviced.push_back(i);
        m_products.push_back(std::move(p));
    }
    return products.flush();
}

bool SampleDataGenerator::insertCustomers(int count)
{
    struct District {
        QString name;
        QStringList roads;
    };
    std::vector<std::vector<District>> districts;
    int regionWeights = 0;
    for (const Region& r : kRegions) {
        std::vector<District>& list = districts.emplace_back();
        for (const QString& entry : lit(r.districts).split(u'|')) {
            const QString roads = entry.section(u'=', 1);
            list.push_back({entry.section(u'=', 0, 0), (roads.isEmpty() ? lit(kTownRoads) : roads).split(u',')});
        }
        regionWeights += r.weight;
    }

    BulkInsert customers(u"customer"_s,
                         u"code, compname, compalias, ceoname, compsn, telno1, telno2, telno3, telno4, fax, hpno, "
                         u"charge, taxmode, zipcode, addr1, addr2, status, item, regdate, basemoney, nowmoney, bigo, "
                         u"hidden, email, ocode"_s);
    m_customersBefore = std::max(1, count - count * kNewCustomerPercent / 100);
    qint64 weight = 0;
    for (int i = 0; i < count; ++i) {
        Customer c;
        c.code = QString::number(i + 1).rightJustified(6, u'0');

        int r = below(regionWeights);
        size_t region = 0;
        while (r >= kRegions[region].weight)
            r -= kRegions[region++].weight;
        const Region& reg = kRegions[region];
        const District& place = anyOf(districts[region]);
        const QString& district = place.name;
        const QString& road = anyOf(place.roads);
        const QString area = lit(reg.area);
        const QString zipcode = QString::number(between(reg.zipLow, reg.zipHigh)).rightJustified(2, u'0') + digits(3);
        const QString addr1 = lit(reg.name) + u' ' + district + u' ' + road;
        QString addr2 = QString::number(between(1, 300));

        QString alias, compsn, telno3, telno4, fax, hpno, status, item, email;
        const int kind = below(100);
        int buys = 1;
        if (kind < 45) { // company
            const QString stem = pick(kCompanyStems) + pick(kCompanySuffixes);
            const int form = below(100);
            c.name = form < 50 ? u"(주)"_s + stem : form < 60 ? u"주식회사 "_s + stem : form < 65 ? u"㈜"_s + stem : stem;
            alias = stem;
            c.ceo = personName();
            compsn = businessNumber(form < 65);
            c.telno1 = chance(10) ? pick(kRepresentativePrefixes) + u'-' + digits(4) : landline(area);
            if (chance(40))
                c.telno2 = landline(area);
            if (chance(10))
                telno3 = landline(area);
            if (chance(3))
                telno4 = mobile();
            if (chance(70))
                fax = landline(area);
            if (chance(80))
                hpno = mobile();
            const Trade& trade = anyOf(kCompanyTrades);
            status = lit(trade.status);
            item = lit(trade.item);
            c.taxmode = chance(85) ? 2 : chance(80) ? 1 : 0;
            addr2 += u", "_s + pick(kCompanyStems) + u"빌딩 "_s + QString::number(between(2, 15)) + u"층"_s;
            if (chance(50))
                email = u"info"_s + c.code.right(4) + u'@' + pick(kEmailDomains);
            buys = static_cast<int>(between(4, 12));
        } else if (kind < 70) { // shop
            const ShopKind& shop = anyOf(kShopKinds);
            c.name = pick(kShopStems) + lit(shop.kind);
            if (shop.chain) // "분당구" -> " 분당점"
                c.name += u' ' + district.section(u' ', -1).chopped(1) + u'점';
            alias = c.name;
            c.ceo = personName();
            compsn = businessNumber(false);
            c.telno1 = landline(area);
            if (chance(20))
                c.telno2 = landline(area);
            if (chance(30))
                fax = landline(area);
            if (chance(70))
                hpno = mobile();
            status = lit(shop.status);
            item = lit(shop.item);
            c.taxmode = chance(60) ? 1 : 2;
            addr2 += u", 1층"_s;
            if (chance(20))
                email = pick(kEmailParts) + pick(kEmailParts) + digits(2) + u'@' + pick(kEmailDomains);
            buys = static_cast<int>(between(2, 6));
        } else { // a person: the mobile number is the main one
            c.name = personName();
            alias = c.name;
            c.ceo = c.name;
            c.telno1 = mobile();
            hpno = c.telno1;
            if (chance(20))
                c.telno2 = landline(area);
            c.taxmode = 1;
            addr2 += u", "_s + pick(kShopStems) + u"마을아파트 "_s + QString::number(between(101, 115)) + u"동 "_s
                + QString::number(between(1, 25)) + QString::number(between(1, 4)).rightJustified(2, u'0') + u'호';
            if (chance(20))
                email = pick(kEmailParts) + pick(kEmailParts) + digits(2) + u'@' + pick(kEmailDomains);
        }

        const bool before = i < m_customersBefore;
        if (before && kind < 70 && chance(25))
            c.basemoney = between(1, 300) * 10000;
        c.charge = anyOf(m_users);

        customers.text(c.code).text(c.name).text(alias).text(c.ceo).text(compsn);
        customers.text(c.telno1).text(c.telno2).text(telno3).text(telno4).text(fax).text(hpno);
        customers.text(c.charge).number(c.taxmode).text(zipcode).text(addr1).text(addr2).text(status).text(item);
        customers.text(dateText(registrationDay(i, count))).number(c.basemoney).number(c.basemoney);
        customers.text(chance(15) ? pick(kCustomerMemos) : QString()).number(before && chance(2) ? 1 : 0);
        customers.text(email).number(1).endRow();

        weight += buys;
        m_customerWeights.push_back(weight);
        m_customers.push_back(std::move(c));
    }
    if (!customers.flush())
        return false;

    m_owed.assign(m_customers.size(), 0);
    m_owedTree.assign(m_customers.size() + 1, 0);
    m_owedTotal = 0;
    for (size_t i = 0; i < m_customers.size(); ++i)
        addOwed(static_cast<int>(i), m_customers[i].basemoney);
    return true;
}

// Customers get their codes in the order they came: the older ones over the three years before the
// documents, the newer ones each on the first day eligibleCustomers() counts them.
int SampleDataGenerator::registrationDay(int index, int count) const
{
    if (index < m_customersBefore)
        return -1 - (m_customersBefore - index) * (kEarlierDays - 1) / m_customersBefore;
    const qint64 newer = count - m_customersBefore;
    return static_cast<int>(((index - m_customersBefore + 1) * qint64{m_days} + newer - 1) / newer) - 1;
}

int SampleDataGenerator::eligibleCustomers(int day) const
{
    const auto count = static_cast<qint64>(m_customers.size());
    return static_cast<int>(m_customersBefore + (count - m_customersBefore) * (day + 1) / m_days);
}

int SampleDataGenerator::pickCustomer(int day)
{
    const int eligible = eligibleCustomers(day);
    const qint64 r = between(0, m_customerWeights[eligible - 1] - 1);
    return static_cast<int>(std::upper_bound(m_customerWeights.begin(), m_customerWeights.begin() + eligible, r)
                            - m_customerWeights.begin());
}

void SampleDataGenerator::addOwed(int customer, qint64 delta)
{
    const qint64 before = std::max<qint64>(m_owed[customer], 0);
    m_owed[customer] += delta;
    const qint64 change = std::max<qint64>(m_owed[customer], 0) - before;
    if (change == 0)
        return;
    m_owedTotal += change;
    const auto n = m_owedTree.size() - 1;
    for (size_t i = static_cast<size_t>(customer) + 1; i <= n; i += i & (~i + 1))
        m_owedTree[i] += change;
}

int SampleDataGenerator::pickDebtor()
{
    if (m_owedTotal <= 0)
        return -1;
    qint64 r = between(0, m_owedTotal - 1);
    const size_t n = m_owedTree.size() - 1;
    size_t pos = 0;
    for (size_t step = std::bit_floor(n); step > 0; step >>= 1) {
        if (pos + step <= n && m_owedTree[pos + step] <= r) {
            pos += step;
            r -= m_owedTree[pos];
        }
    }
    return static_cast<int>(pos);
}

bool SampleDataGenerator::insertDocuments(const Size& size)
{
    BulkInsert sale(u"sale"_s, u"ccode, pcode, pname, pnorm, qnt, price, amount, tax, total, dealdate, dealtime, "
                               u"charge, regucode, prnbigo, pserial, receiptname, receiptmemo"_s);
    BulkInsert receive(u"receive"_s, u"dealdate, ccode, amount, dc, type, charge, bigo, regucode, dealtime"_s);
    BulkInsert jobs(u"aslist_m"_s, u"code, ccode, pcode, pserial, dealdate, dealtime, regucode, dealbigo, typecode0, "
                                   u"resvdate1, resvtime1, resvdate2, resvtime2, charge, state, workdate, worktime"_s);
    BulkInsert lines(u"aslist_d"_s, u"code, seq, pcode, typecode1, typecode2, workbigo, amount, isfree"_s);
    BulkInsert calls(u"rsvconsult"_s, u"ocode, ctelno, cname, ccode, regucode, condate, contime, pcode, pname, "
                                      u"concode, refernote, connote, state"_s);
    if (m_customers.empty())
        return true;
    m_nextJob = DBGetValue(u"SELECT COALESCE(MAX(code), 0) + 1 FROM aslist_m"_s).toLongLong();

    // Weekdays carry the business, Saturdays a little, Sundays and holidays almost nothing.
    std::vector<qint64> cumulative{0};
    for (int day = 0; day < m_days; ++day) {
        const QDate date = m_firstDay.addDays(day);
        const QString monthDay = date.toString(u"MM-dd"_s);
        const bool closed = date.dayOfWeek() == Qt::Sunday
            || std::any_of(std::begin(kHolidays), std::end(kHolidays),
                           [&](const char16_t* holiday) { return monthDay == holiday; });
        cumulative.push_back(cumulative.back() + (closed ? 1 : date.dayOfWeek() == Qt::Saturday ? 6 : 20));
    }
    const qint64 totalWeight = cumulative.back();
    const auto share = [&](int total, int day) {
        return static_cast<int>(total * cumulative[day + 1] / totalWeight - total * cumulative[day] / totalWeight);
    };

    for (int day = 0; day < m_days; ++day) {
        for (int n = share(size.calls, day); n > 0; --n)
            addCall(calls, day);
        for (int n = share(size.saleLines, day); n > 0;) {
            const int r = below(10);
            const int slipLines = std::min(n, r < 5 ? 1 : r < 8 ? 2 : r < 9 ? 3 : 4 + below(3));
            addSlip(sale, day, slipLines);
            n -= slipLines;
        }
        for (int n = share(size.asJobs, day); n > 0; --n)
            addAsJob(jobs, lines, day);
        for (int n = share(size.payments, day); n > 0; --n)
            addPayment(receive, day);
        if (day % 30 == 29) {
            DBExecute(u"COMMIT"_s);
            DBExecute(u"START TRANSACTION"_s);
        }
        if (sale.failed() || receive.failed() || jobs.failed() || lines.failed() || calls.failed())
            return false;
    }
    const bool ok = sale.flush() && receive.flush() && jobs.flush() && lines.flush() && calls.flush();
    m_documentRows = sale.rowCount() + receive.rowCount() + jobs.rowCount() + lines.rowCount() + calls.rowCount();
    return ok;
}

void SampleDataGenerator::addSlip(BulkInsert& sale, int day, int lineCount)
{
    const int c = pickCustomer(day);
    const Customer& customer = m_customers[static_cast<size_t>(c)];
    const QString date = dateText(day);
    const QString time = timeText(9, 19);
    const QString charge = chance(80) ? customer.charge : anyOf(m_users);
    const QString regucode = anyOf(m_users);
    const QString memo = chance(3) ? pick(kSlipMemos) : QString();
    const QString receiver = chance(10) ? customer.ceo : QString();
    const QString receiptMemo = chance(3) ? pick(kReceiptMemos) : QString();

    for (int i = 0; i < lineCount; ++i) {
        QString pcode = u"000000"_s, pname, pnorm, serial;
        qint64 qnt = 1, price = 0;
        int vatType = customer.taxmode;
        if (m_products.empty() || chance(3)) {
            const FreeItem& item = anyOf(kFreeItems);
            pname = lit(item.name);
            price = item.price;
        } else {
            const qint64 r = between(0, m_productWeights.back() - 1);
            const Product& p = m_products[static_cast<size_t>(
                std::upper_bound(m_productWeights.begin(), m_productWeights.end(), r) - m_productWeights.begin())];
            pcode = p.code;
            pname = p.name;
            pnorm = p.norm;
            qnt = p.maxQuantity > 1 ? between(1, p.maxQuantity) : 1;
            price = chance(10) ? p.price * between(90, 95) / 100 / 100 * 100 : p.price;
            if (p.taxmode == 0)
                vatType = 0;
            if (p.serviced)
                serial = QString(p.norm).remove(u'-') + digits(6);
        }
        qint64 supply = 0, tax = 0;
        splitVat(vatType, qnt * price, supply, tax);
        sale.text(customer.code).text(pcode).text(pname).text(pnorm).number(qnt).number(price);
        sale.number(supply).number(tax).number(supply + tax).text(date).text(time).text(charge).text(regucode);
        sale.text(memo).text(serial).text(receiver).text(receiptMemo).endRow();
        addOwed(c, supply + tax);
    }
}

void SampleDataGenerator::addPayment(BulkInsert& receive, int day)
{
    int c = pickDebtor();
    qint64 amount = 0, dc = 0;
    if (c < 0) { // nobody owes anything: money paid in advance
        c = pickCustomer(day);
        amount = between(1, 10) * 10000;
    } else {
        const qint64 owed = m_owed[static_cast<size_t>(c)];
        if (chance(55)) { // settles the account, now and then with the odd won forgiven
            amount = owed >= 10000 && chance(40) ? owed / 1000 * 1000 : owed;
            dc = owed - amount;
        } else {
            const qint64 part = owed * between(30, 90) / 100;
            amount = part >= 10000 ? part / 10000 * 10000 : part / 1000 * 1000;
            if (amount == 0)
                amount = owed;
        }
    }
    const Customer& customer = m_customers[static_cast<size_t>(c)];
    const int type = chance(65) ? 0 : 1;
    receive.text(dateText(day)).text(customer.code).number(amount).number(dc).number(type);
    receive.text(customer.charge).text(chance(30) ? pick(kPaymentMemos) : QString());
    receive.text(anyOf(m_users)).text(timeText(9, 19)).endRow();
    addOwed(c, -(amount + dc));
}

void SampleDataGenerator::addAsJob(BulkInsert& jobs, BulkInsert& lines, int day)
{
    const int c = pickCustomer(day);
    const Customer& customer = m_customers[static_cast<size_t>(c)];
    QString pcode = u"000000"_s, serial;
    if (!m_serviced.empty()) {
        const Product& p = m_products[static_cast<size_t>(anyOf(m_serviced))];
        pcode = p.code;
        serial = QString(p.norm).remove(u'-') + digits(6);
    }
    // Old jobs are done; the last days still have jobs waiting or confirmed.
    const int age = m_days - 1 - day;
    const int r = below(100);
    const int state = age > 14 ? (r < 97 ? 9 : 2)
        : age > 3              ? (r < 60 ? 9 : r < 90 ? 2 : 0)
                               : (r < 10 ? 9 : r < 40 ? 2 : 0);
    // The visit is on the day asked for, else within three days; the work is done after it.
    const bool requested = chance(50);
    const int visitDay = std::min(day + below(4), m_days - 1);
    const int visitHour = static_cast<int>(between(9, 16));
    const QString visitTime = QString::asprintf("%02d:%02d", visitHour, below(60));
    const qint64 job = m_nextJob++;

    jobs.number(job).text(customer.code).text(pcode).text(serial).text(dateText(day)).text(timeText(9, 18));
    jobs.text(anyOf(m_users)).text(pick(kComplaints));
    jobs.number(anyOf(m_receptionCodes).code);
    jobs.text(requested ? dateText(visitDay) : QString()).text(requested ? visitTime : u"00:00"_s);
    jobs.text(state >= 2 ? dateText(visitDay) : QString()).text(state >= 2 ? visitTime : u"00:00"_s);
    jobs.text(anyOf(m_users)).number(state);
    jobs.text(state == 9 ? dateText(visitDay) : QString());
    jobs.text(state == 9 ? timeText(visitHour + 1, visitHour + 3) : QString()).endRow();
    if (state != 9)
        return;

    const int r2 = below(100);
    const int lineCount = r2 < 75 ? 1 : r2 < 95 ? 2 : 3;
    for (int seq = 1; seq <= lineCount; ++seq) {
        const AsCode& result = anyOf(m_resultCodes);
        const bool free = chance(35);
        lines.number(job).number(seq).text(pcode);
        lines.number(anyOf(m_causeCodes).code);
        lines.number(result.code).text(pick(kWorkNotes)).number(result.amount).number(free ? 1 : 0).endRow();
        if (!free)
            addOwed(c, result.amount);
    }
}

void SampleDataGenerator::addCall(BulkInsert& calls, int day)
{
    QString telno, name, ccode;
    if (chance(80)) {
        const Customer& customer = m_customers[static_cast<size_t>(pickCustomer(day))];
        telno = !customer.telno2.isEmpty() && chance(20) ? customer.telno2 : customer.telno1;
        name = customer.name;
        ccode = customer.code;
    } else {
        telno = chance(60) ? mobile() : landline(lit(anyOf(kRegions).area));
        if (chance(40))
            name = personName();
    }
    // Today's calls are still being worked on.
    const bool today = day == m_days - 1;
    const int state = today ? (chance(50) ? 0 : chance(50) ? 1 : 2) : (chance(90) ? 2 : 1);
    const int topic = below(static_cast<int>(m_consultCodes.size()));
    const Topic& text = kTopics[static_cast<size_t>(topic) % std::size(kTopics)];
    const Product* product = state > 0 && !m_products.empty() && chance(40) ? &anyOf(m_products) : nullptr;

    calls.number(1).text(telno).text(name).text(ccode);
    calls.text(state > 0 ? anyOf(m_users) : QString());
    calls.text(dateText(day)).text(today && m_lastDay == Clock::today() ? timeSoFarToday() : timeText(9, 19)).text(product ? product->code : QString());
    calls.text(product ? product->name : QString());
    calls.number(state > 0 ? m_consultCodes[static_cast<size_t>(topic)].code : 0);
    calls.text(state > 0 ? lit(text.inquiry) : QString()).text(state > 0 ? lit(text.answer) : QString());
    calls.number(state).endRow();
}

bool SampleDataGenerator::updateBalances()
{
    return CustomerBalance().recomputeAll();
}

} // namespace asv
