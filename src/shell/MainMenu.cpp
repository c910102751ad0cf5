#include "MainMenu.h"

using namespace Qt::StringLiterals;

namespace asv {

namespace {

using Kind = MainMenu::Entry::Kind;

MainMenu::Entry menu(const QString& parent, const QString& name, const QString& caption)
{
    return {Kind::Menu, parent, name, caption};
}

MainMenu::Entry screen(const QString& parent, const QString& name, const QString& caption, int index = -1)
{
    return {Kind::Screen, parent, name, caption, index};
}

MainMenu::Entry command(const QString& parent, const QString& name, const QString& caption, int index = -1)
{
    return {Kind::Command, parent, name, caption, index};
}

MainMenu::Entry separator(const QString& parent)
{
    return {Kind::Separator, parent, {}, {}};
}

} // namespace

const QList<MainMenu::Entry>& MainMenu::entries()
{
    static const QList<Entry> list = {
        menu({}, u"mnuBase"_s, u"기초등록"_s),
        screen(u"mnuBase"_s, u"mnuOffice"_s, u"사업장 정보   입력"_s),
        screen(u"mnuBase"_s, u"mnuCharge"_s, u"사용자(직원) 관리(&U)"_s),
        separator(u"mnuBase"_s),
        screen(u"mnuBase"_s, u"mnuCustomer"_s, u"고   객         관리(&C)"_s),
        screen(u"mnuBase"_s, u"mnuProduct"_s, u"상   품         관리(&P)"_s),
        screen(u"mnuBase"_s, u"mnuBase_ascode"_s, u"A/S 코드 관리"_s),
        separator(u"mnuBase"_s),
        screen(u"mnuBase"_s, u"mnuOptions"_s, u"환   경         설정(공통)(&O)"_s),
        screen(u"mnuBase"_s, u"mnuOptions2"_s, u"환   경         설정(&E)"_s),
        separator(u"mnuBase"_s),
        command(u"mnuBase"_s, u"mnuBase_Exit"_s, u"종료(&X)"_s),

        menu({}, u"mnuSaleRoot"_s, u"판매관리"_s),
        screen(u"mnuSaleRoot"_s, u"mnuSlip2"_s, u"매출전표    등록(&I)"_s),
        screen(u"mnuSaleRoot"_s, u"mnuDeposite"_s, u"입금전표    등록(&R)"_s),
        separator(u"mnuSaleRoot"_s),
        // Their screens come from the sales family through the screen registry.
        command(u"mnuSaleRoot"_s, u"mnuSpecification"_s, u"거래명세표 발행(&F)"_s),
        command(u"mnuSaleRoot"_s, u"mnuTax"_s, u"세금계산서 발행(&T)"_s),

        menu({}, u"mnuASRoot"_s, u"AS관리"_s),
        screen(u"mnuASRoot"_s, u"mnuSlipCon"_s, u"상담판"_s),
        screen(u"mnuASRoot"_s, u"mnuSlipAS"_s, u"AS 등록"_s, 10),

        menu({}, u"mnuAS_ReportRoot"_s, u"AS현황"_s),
        screen(u"mnuAS_ReportRoot"_s, u"mnuReport_ASSale"_s, u"AS 및 판매 조회"_s),
        screen(u"mnuAS_ReportRoot"_s, u"mnuSlipConList"_s, u"수신 및 상담 내역"_s),
        separator(u"mnuAS_ReportRoot"_s),
        screen(u"mnuAS_ReportRoot"_s, u"mnuAS_Report"_s, u"매출 현황 조회"_s, 10),
        screen(u"mnuAS_ReportRoot"_s, u"mnuAS_Report"_s, u"입금 현황 조회"_s, 20),
        screen(u"mnuAS_ReportRoot"_s, u"mnuAS_Report"_s, u"매출처 원장"_s, 30),
        screen(u"mnuAS_ReportRoot"_s, u"mnuAS_Report"_s, u"미수 현황 조회"_s, 40),
        screen(u"mnuAS_ReportRoot"_s, u"mnuAS_Report"_s, u"AS결과조회"_s, 50),
        screen(u"mnuAS_ReportRoot"_s, u"mnuAS_Report"_s, u"매출분석"_s, 60),

        menu({}, u"mnuETCRoot"_s, u"보조관리(&T)"_s),
        screen(u"mnuETCRoot"_s, u"mnuDataRecovery"_s, u"데이터 점검 및 복구"_s),
        screen(u"mnuETCRoot"_s, u"mnuSMS"_s, u"문자/팩스  전송(&S)"_s),
        command(u"mnuETCRoot"_s, u"mnuSchedule"_s, u"스케줄       관리"_s),
        separator(u"mnuETCRoot"_s),
        screen(u"mnuETCRoot"_s, u"mnuDataBackup"_s, u"데이터       백업(&B)"_s),
        screen(u"mnuETCRoot"_s, u"mnuTool_ClearAll"_s, u"작업전표 삭제(초기화)"_s),
        screen(u"mnuETCRoot"_s, u"mnuTool_ImpData"_s, u"고객자료 가져오기"_s),
        separator(u"mnuETCRoot"_s),
        command(u"mnuETCRoot"_s, u"mnuTool_Calc"_s, u"계산기"_s),
        menu(u"mnuETCRoot"_s, u"mnuTool_bgsetup_root"_s, u"바탕화면 설정"_s),
        command(u"mnuTool_bgsetup_root"_s, u"mnuTool_bgsetup"_s, u"로고 바둑판식 배치"_s, 0),
        command(u"mnuTool_bgsetup_root"_s, u"mnuTool_bgsetup"_s, u"로고 가운데 배치"_s, 1),
        separator(u"mnuTool_bgsetup_root"_s),
        command(u"mnuTool_bgsetup_root"_s, u"mnuTool_bgsetup"_s, u"로고 이미지 변경"_s, 3),
        command(u"mnuTool_bgsetup_root"_s, u"mnuTool_bgsetup"_s, u"로고 없애기"_s, 4),
        command(u"mnuTool_bgsetup_root"_s, u"mnuTool_bgsetup"_s, u"로고 기본 이미지"_s, 5),
        separator(u"mnuTool_bgsetup_root"_s),
        command(u"mnuTool_bgsetup_root"_s, u"mnuTool_bgsetup"_s, u"배경색 변경"_s, 7),
        command(u"mnuTool_bgsetup_root"_s, u"mnuTool_bgsetup"_s, u"기본 배경색"_s, 8),
        separator(u"mnuETCRoot"_s),
        command(u"mnuETCRoot"_s, u"mnuReInstall"_s, u"최신버전 업데이트"_s),
        command(u"mnuETCRoot"_s, u"mnuSupport"_s, u" 원격지원(&E) "_s),

        menu({}, u"mnuHelpDesk"_s, u"헬프데스크(&D)"_s),
        command(u"mnuHelpDesk"_s, u"mnuHelpDeskSub"_s, u"헬프데스크 실행"_s),

        // Filled with the open windows each time it opens.
        menu({}, u"mnu_window"_s, u"창(&W)"_s),

        menu({}, u"mnuHelp"_s, u"도움말(&H)"_s),
        command(u"mnuHelp"_s, u"mnuView_Help"_s, u"사용 설명서"_s),
        command(u"mnuHelp"_s, u"mnuHomePage"_s, u"홈페이지"_s),
        command(u"mnuHelp"_s, u"mnuAbout"_s, u"프로그램    안내(&G)"_s),
        separator(u"mnuHelp"_s),
        command(u"mnuHelp"_s, u"mnuExit"_s, u"종료(&X)"_s),
    };
    return list;
}

const QList<MainMenu::ToolButton>& MainMenu::toolbar()
{
    static const QList<ToolButton> list = {
        {u"고객관리"_s, u"mnuCustomer"_s, -1, QStyle::SP_DirHomeIcon, {}},
        {u"상품관리"_s, u"mnuProduct"_s, -1, QStyle::SP_DriveHDIcon, {}},
        {u"AS코드"_s, u"mnuBase_ascode"_s, -1, QStyle::SP_FileDialogDetailedView, {}},
        {u"상담및AS"_s, u"mnuSlipCon"_s, -1, QStyle::SP_DialogHelpButton, {}},
        {u"판매등록"_s, u"mnuSlip2"_s, -1, QStyle::SP_FileIcon,
         {{u"판매등록"_s, u"mnuSlip2"_s}, {u"입금등록"_s, u"mnuDeposite"_s}}},
        {u"AS접수"_s, u"mnuSlipAS"_s, 10, QStyle::SP_FileDialogNewFolder, {}},
        {u"AS원장"_s, u"mnuAS_Report"_s, 30, QStyle::SP_FileDialogContentsView, {}},
        {u"AS현황"_s, u"mnuAS_Report"_s, 50, QStyle::SP_FileDialogListView, {}},
        {u"미수조회"_s, u"mnuAS_Report"_s, 40, QStyle::SP_MessageBoxWarning, {}},
        {u"매출분석"_s, u"mnuAS_Report"_s, 60, QStyle::SP_ComputerIcon, {}},
        {u"문자전송"_s, u"mnuSMS"_s, -1, QStyle::SP_MessageBoxInformation, {}},
        {u"종료"_s, {}, -1, QStyle::SP_DialogCloseButton, {}},
    };
    return list;
}

QString MainMenu::screenKey(const QString& name, int index)
{
    return index < 0 ? name : name + u'_' + QString::number(index);
}

const MainMenu::Entry* MainMenu::find(const QString& name, int index)
{
    for (const Entry& e : entries()) {
        if (e.name == name && e.index == index)
            return &e;
    }
    return nullptr;
}

} // namespace asv
