#pragma once

#include "PostDatabaseSet.h"
#include "ZipcodeLookup.h"
#include "ZipcodeResultModel.h"
#include "ZipcodeSearch.h"

#include <QDialog>
#include <QList>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QProgressBar;
class QPushButton;
class QTabWidget;

namespace asv {

// The address finder: a province and district, a lot-number or road-name search over the local
// province files, their download from the web and their installation from the postal service's files.
class frmZipcode : public QDialog {
    Q_OBJECT
public:
    // folder: where the province files lie (the program folder's "DBS").
    explicit frmZipcode(QWidget* parent = nullptr, const QString& folder = {});

    // The finder opened modally on the caller's text; nullopt when nothing was picked.
    static std::optional<ZipcodeLookup::Address> FindZipcode(QWidget* parent, const QString& text);

    // The text goes into the lot tab's word; a text long enough is searched at once, and when
    // nothing is found the operator is told so before the finder shows.
    void setSearchText(const QString& text);
    const std::optional<ZipcodeLookup::Address>& chosen() const { return m_chosen; }

private:
    void showFirstUseNotice();
    void openDatabases();
    void FillSiDoData();
    void FillSiGunGuData();
    ZipcodeSearch currentSearch() const;
    // The number of addresses found; nullopt when no search ran (refused, or the download instead).
    std::optional<qsizetype> query();
    // The province to search (-1 all), or nullopt when the operator went to the download instead.
    std::optional<int> provinceToSearch();
    void showResult(const ZipcodeSearch& search, const PostDatabaseSet::Result& result);
    void select();
    void askUpdate();
    void showDownloadPanel(int checkedProvince);
    void markDownloadPanel();
    void startDownload();
    QList<int> checkedProvinces() const;
    // The postal service's address files, or older province files, chosen by the operator.
    void installChosen(bool folder);
    void install(const QString& path);
    // The files were replaced: connections, colours and districts anew.
    void reopenDatabases();

    PostDatabaseSet m_databases;
    bool m_downloadOffered = false;
    std::optional<ZipcodeLookup::Address> m_chosen;

    QComboBox* m_cmbSiDo;
    QComboBox* m_cmbSiGunGu;
    QTabWidget* m_tabs;
    QLineEdit* m_txtDong;
    QLineEdit* m_txtJibunNo;
    QLineEdit* m_txtRoad;
    QLineEdit* m_txtBildingNo;
    QLineEdit* m_txtBuildingName;
    QPushButton* m_btnQuery;
    QPushButton* m_btnSel;
    QPushButton* m_btnDBUpdate;
    QListView* m_lstResult;
    ZipcodeResultModel* m_result;
    QLabel* m_lblCount;

    QGroupBox* m_fraDownload;
    QList<QCheckBox*> m_chkAreaDB;
    QCheckBox* m_chkAreaDBAll;
    QPushButton* m_cmdDownloadStart;
    QProgressBar* m_prgDownload;
    QLabel* m_lblDownloading;
};

} // namespace asv
