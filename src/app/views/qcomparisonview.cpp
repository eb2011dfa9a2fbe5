#include "qcomparisonview.h"

#include "devicefiles.h"
#include "qcomparisondiagram.h"
#include "recorddiagram.h"
#include "sidecar.h"

#include <QDate>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The diagrams label their axis with the time of day: both sessions are laid
// from a local midnight, so the labels read as time since each one began.
int64_t AxisOrigin()
{
    static const int64_t nOrigin = QDate(2001, 1, 1).startOfDay().toSecsSinceEpoch();
    return nOrigin;
}

QString ElapsedText(int64_t nSecs)
{
    return QStringLiteral("%1:%2:%3")
        .arg(nSecs / 3600, 2, 10, QLatin1Char('0'))
        .arg(nSecs / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(nSecs % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

CQComparisonView::CQComparisonView(QWidget* pParent)
    : QDialog(pParent)
{
    setWindowTitle(tr("Comparison of Sessions"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    auto* pLayout = new QVBoxLayout(this);
    auto* pSplitter = new QSplitter(Qt::Horizontal, this);
    pLayout->addWidget(pSplitter, 1);

    auto* pDiagrams = new QWidget(pSplitter);
    auto* pDiagramLayout = new QVBoxLayout(pDiagrams);
    pDiagramLayout->setContentsMargins(0, 0, 0, 0);
    m_pNewLabel = new QLabel(pDiagrams);
    m_pNewLabel->setWordWrap(true);
    m_pNewDiagram = new CQComparisonDiagram(pDiagrams);
    m_pNewDiagram->setAccessibleName(tr("This session"));
    m_pBaseLabel = new QLabel(pDiagrams);
    m_pBaseLabel->setWordWrap(true);
    m_pBaseDiagram = new CQComparisonDiagram(pDiagrams);
    m_pBaseDiagram->setAccessibleName(tr("Compared session"));
    pDiagramLayout->addWidget(m_pNewLabel);
    pDiagramLayout->addWidget(m_pNewDiagram, 1);
    pDiagramLayout->addWidget(m_pBaseLabel);
    pDiagramLayout->addWidget(m_pBaseDiagram, 1);

    auto* pSide = new QWidget(pSplitter);
    auto* pSideLayout = new QVBoxLayout(pSide);
    pSideLayout->setContentsMargins(0, 0, 0, 0);
    auto* pForm = new QFormLayout;
    m_pTolerance = new QDoubleSpinBox(pSide);
    m_pTolerance->setRange(0.0, CSessionComparison::kMaxToleranceKhz / 1000.0);
    m_pTolerance->setDecimals(3);
    m_pTolerance->setSuffix(tr(" MHz"));
    m_pTolerance->setValue(CSessionComparison::kDefaultToleranceKhz / 1000.0);
    m_pTolerance->setToolTip(tr("Frequencies closer than this are taken as one"));
    m_pMinChange = new QDoubleSpinBox(pSide);
    m_pMinChange->setRange(0.5, 100.0);
    m_pMinChange->setDecimals(1);
    m_pMinChange->setSuffix(tr(" dB"));
    m_pMinChange->setValue(CSessionComparison::kDefaultMinChangeDb);
    pForm->addRow(tr("Frequency tolerance:"), m_pTolerance);
    pForm->addRow(tr("Least level change:"), m_pMinChange);
    pSideLayout->addLayout(pForm);
    connect(m_pTolerance, &QDoubleSpinBox::valueChanged, this, &CQComparisonView::Compare);
    connect(m_pMinChange, &QDoubleSpinBox::valueChanged, this, &CQComparisonView::Compare);

    m_pNoBase = new QLabel(pSide);
    m_pNoBase->setWordWrap(true);
    m_pNoBase->hide();
    pSideLayout->addWidget(m_pNoBase);
    m_pList = new QTreeWidget(pSide);
    m_pList->setColumnCount(ColumnCount);
    m_pList->setHeaderLabels({tr("Time of visit"), tr("Difference")});
    m_pList->setRootIsDecorated(false);
    m_pList->setAlternatingRowColors(true);
    m_pList->setWordWrap(true);
    m_pList->header()->setStretchLastSection(true);
    m_pList->setAccessibleName(tr("Differences"));
    connect(m_pList, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* pItem) {
        if (pItem && pItem->data(ColInstant, IndexRole).isValid())
            ShowDifference(pItem->data(ColInstant, IndexRole).toInt());
    });
    pSideLayout->addWidget(m_pList, 1);
    pSplitter->setStretchFactor(0, 3);
    pSplitter->setStretchFactor(1, 2);
    pSplitter->setSizes({700, 450});

    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    pLayout->addWidget(pButtons);
    resize(1150, 760);
}

bool CQComparisonView::LoadSession(const QString& strPath, Session& session, QString* pError)
{
    session = Session();
    session.strPath = strPath;
    QString strError;
    if (!CDeviceFiles::LoadDataFile(strPath, session.records, session.nVersion, &strError)) {
        *pError = tr("%1 cannot be read: %2").arg(QDir::toNativeSeparators(strPath), strError);
        return false;
    }
    if (!session.records.isEmpty()) {
        const auto [first, last] = std::minmax_element(
            session.records.cbegin(), session.records.cend(),
            [](const CDeviceRecord& a, const CDeviceRecord& b) { return a.m_nTime < b.m_nTime; });
        session.nStart = first->m_nTime;
        session.nEnd = last->m_nTime;
    }
    return true;
}

bool CQComparisonView::Load(const QString& strNew, const QString& strBase, bool bBaseline,
                            const QString& strNoBase, QString* pError)
{
    if (!LoadSession(strNew, m_New, pError))
        return false;
    m_bHasBase = !strBase.isEmpty();
    if (m_bHasBase && !LoadSession(strBase, m_Base, pError))
        return false;
    if (!m_bHasBase)
        m_Base = Session();

    m_pNewLabel->setText(SessionTitle(m_New, tr("This session")));
    m_pBaseLabel->setText(m_bHasBase ? SessionTitle(m_Base, bBaseline ? tr("Baseline") : tr("Compared with"))
                                     : strNoBase);
    m_pBaseDiagram->setVisible(m_bHasBase);
    m_pNoBase->setText(strNoBase);
    m_pNoBase->setVisible(!m_bHasBase);
    m_pList->setEnabled(m_bHasBase);
    m_pTolerance->setEnabled(m_bHasBase);
    m_pMinChange->setEnabled(m_bHasBase);

    const int64_t nSpan = qMax(m_New.nEnd - m_New.nStart, m_Base.nEnd - m_Base.nStart);
    Plot(m_pNewDiagram, m_New, nSpan);
    if (m_bHasBase)
        Plot(m_pBaseDiagram, m_Base, nSpan);
    Compare();
    return true;
}

QString CQComparisonView::NoBaseText() const
{
    return m_pNoBase->isVisible() || !m_bHasBase ? m_pNoBase->text() : QString();
}

int64_t CQComparisonView::AxisTime(int64_t nSinceStart)
{
    return AxisOrigin() + nSinceStart;
}

QString CQComparisonView::SessionTitle(const Session& session, const QString& strRole) const
{
    QString strText = QStringLiteral("<b>%1:</b> %2").arg(strRole.toHtmlEscaped(),
                                                          QFileInfo(session.strPath).fileName().toHtmlEscaped());
    CSidecar sidecar;
    if (CSidecar::Read(session.strPath, sidecar) && !sidecar.m_Context.m_strRoom.isEmpty())
        strText += QStringLiteral(" — ") + sidecar.m_Context.m_strRoom.toHtmlEscaped();
    if (!session.records.isEmpty())
        strText += QStringLiteral(", ")
                   + tr("%1 records over %2").arg(session.records.size()).arg(ElapsedText(session.nEnd - session.nStart));
    return strText;
}

void CQComparisonView::Plot(CQComparisonDiagram* pDiagram, const Session& session, int64_t nSpan)
{
    pDiagram->ClearAll(true);
    pDiagram->SetMark(-1);
    if (session.records.isEmpty()) {
        pDiagram->update();
        return;
    }
    const bool bLog = session.nVersion == 2;
    CRecordDiagram::SetupSignals(pDiagram, session.nVersion, bLog);
    // One range for both: an instant of one lies above the same instant of the other.
    const QVariant vMin = QVariant::fromValue<quint64>(quint64(AxisTime(-2)));
    const QVariant vMax = QVariant::fromValue<quint64>(quint64(AxisTime(nSpan + 2)));
    pDiagram->SetXRange(vMin, vMax, 1.0, false);
    pDiagram->SetXVisible(vMin, vMax);
    for (CDeviceRecord record : session.records) {
        record.m_nTime = AxisTime(record.m_nTime - session.nStart);
        CRecordDiagram::AddRecord(pDiagram, record, bLog);
    }
    pDiagram->update();
}

void CQComparisonView::Compare()
{
    m_pList->clear();
    m_Differences.clear();
    if (!m_bHasBase)
        return;
    CSessionComparison::Options options;
    options.dToleranceKhz = m_pTolerance->value() * 1000.0;
    options.dMinChangeDb = m_pMinChange->value();
    m_Differences = CSessionComparison::Compare({m_New.records, m_New.nVersion == 2},
                                                {m_Base.records, m_Base.nVersion == 2}, options);
    if (m_Differences.isEmpty()) {
        auto* pItem = new QTreeWidgetItem(m_pList);
        pItem->setText(ColDifference, tr("Nothing differs between the two sessions."));
        pItem->setFlags(Qt::ItemIsEnabled);
        return;
    }
    QList<QTreeWidgetItem*> items;
    for (int i = 0; i < m_Differences.size(); ++i) {
        const CSessionDifference& difference = m_Differences[i];
        auto* pItem = new QTreeWidgetItem;
        pItem->setData(ColInstant, IndexRole, i);
        if (difference.m_nPosition >= 0)
            pItem->setText(ColInstant, ElapsedText(qMax<int64_t>(0, difference.m_nTime - m_New.nStart)));
        else
            pItem->setToolTip(ColInstant, tr("Not in this session"));
        pItem->setText(ColDifference, difference.m_strText);
        pItem->setToolTip(ColDifference, difference.m_strText);
        items << pItem;
    }
    m_pList->addTopLevelItems(items);
    m_pList->resizeColumnToContents(ColInstant);
}

void CQComparisonView::ShowDifference(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_Differences.size())
        return;
    const CSessionDifference& difference = m_Differences[nIndex];
    if (difference.m_nPosition < 0) {
        m_pNewDiagram->SetMark(-1);
        return;
    }
    const int64_t nX = AxisTime(difference.m_nTime - m_New.nStart);
    m_pNewDiagram->CentreOn(nX, kWindowSecs);
    m_pNewDiagram->SetMark(nX);
    if (m_bHasBase)
        m_pBaseDiagram->CentreOn(nX, kWindowSecs);
}
