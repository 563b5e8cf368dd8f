#include "browsingdata/FormSelectSearch.h"

#include "browsingdata/ClassFBNavigator.h"
#include "browsingdata/ModReadWriteSearchConfig.h"
#include "browsingdata/SaveFailureMessage.h"
#include "browsingdata/SearchConfig.h"
#include "platform/ScreenPlacement.h"
#include "platform/WebBrowser.h"

#include <QEventLoop>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

namespace {

constexpr int TwipsPerPixel = 15;

void PlaceTwips(QWidget *control, int left, int top, int width, int height)
{
    control->setGeometry(left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel,
                         height / TwipsPerPixel);
}

} // namespace

FormSelectSearch::FormSelectSearch(QWidget *parent) : QWidget(parent, Qt::Dialog)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Search Settings"));
    setFixedSize(3630 / TwipsPerPixel, 3330 / TwipsPerPixel);

    LabelSearchEngines = new QLabel(QStringLiteral("Search Engines"), this);
    LabelSearchEngines->setObjectName(QStringLiteral("LabelSearchEngines"));
    PlaceTwips(LabelSearchEngines, 120, 240, 1695, 255);
    ListSearchEngines = new QListWidget(this);
    ListSearchEngines->setObjectName(QStringLiteral("ListSearchEngines"));
    PlaceTwips(ListSearchEngines, 120, 480, 3375, 2085);
    CommandOK = new QPushButton(QStringLiteral("OK"), this);
    CommandOK->setObjectName(QStringLiteral("CommandOK"));
    PlaceTwips(CommandOK, 1440, 2760, 975, 375);
    CommandClose = new QPushButton(QStringLiteral("Close"), this);
    CommandClose->setObjectName(QStringLiteral("CommandClose"));
    PlaceTwips(CommandClose, 2520, 2760, 975, 375);
    setTabOrder(ListSearchEngines, CommandClose);
    setTabOrder(CommandClose, CommandOK);

    connect(ListSearchEngines, &QListWidget::itemChanged, this,
            &FormSelectSearch::ListSearchEngines_ItemChanged);
    connect(CommandOK, &QPushButton::clicked, this, &FormSelectSearch::CommandOK_Click);
    connect(CommandClose, &QPushButton::clicked, this, &FormSelectSearch::CommandClose_Click);
}

QString FormSelectSearch::SearchUrl(const QString &Text)
{
    return SearchQueryUrl(MainSearchUrl, SearchChar, Text);
}

void FormSelectSearch::Form_Load()
{
    ModReadWriteSearchConfig::ReadSearchConfig(*this);
}

void FormSelectSearch::ShowModal(QWidget *owner)
{
    Forms::Load(this);
    if (!Forms::IsLoaded(this))
        return;
    if (owner && parentWidget() != owner)
        setParent(owner, windowFlags());
    setWindowModality(Qt::ApplicationModal);
    QPointer<FormSelectSearch> self(this);
    QEventLoop loop;
    m_modalLoop = &loop;
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    show();
    loop.exec();
    if (self)
        m_modalLoop = nullptr;
}

void FormSelectSearch::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    ScreenPlacement::CentreOver(this, parentWidget());
}

void FormSelectSearch::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (m_modalLoop)
        m_modalLoop->quit();
}

void FormSelectSearch::CheckRow(int row)
{
    m_applyingCheckRule = true;
    for (int i = 0; i < ListSearchEngines->count(); ++i)
        ListSearchEngines->item(i)->setCheckState(i == row ? Qt::Checked : Qt::Unchecked);
    m_applyingCheckRule = false;
}

int FormSelectSearch::CheckedRow() const
{
    for (int i = 0; i < ListSearchEngines->count(); ++i) {
        if (ListSearchEngines->item(i)->checkState() == Qt::Checked)
            return i;
    }
    return -1;
}

void FormSelectSearch::ListSearchEngines_ItemChanged(QListWidgetItem *item)
{
    // Checking or unchecking a row unchecks every other; the unchecking does not recurse.
    if (m_applyingCheckRule)
        return;
    m_applyingCheckRule = true;
    for (int i = 0; i < ListSearchEngines->count(); ++i) {
        QListWidgetItem *other = ListSearchEngines->item(i);
        if (other != item)
            other->setCheckState(Qt::Unchecked);
    }
    m_applyingCheckRule = false;
}

void FormSelectSearch::CommandOK_Click()
{
    // A file that could not be written keeps the old engine: the user is told, and the
    // check marks stay as chosen so that OK can be tried again.
    if (!ModReadWriteSearchConfig::WriteSearchConfig(*this)) {
        SaveFailureMessage::Show(this, {QString::fromLatin1(SearchConfig::FileName)});
        return;
    }
    ModReadWriteSearchConfig::ReadSearchConfig(*this);
    if (QWidget *main = ClassFBNavigator::DefaultMainWindow()) {
        if (auto *search = main->findChild<WebBrowser *>(QStringLiteral("WebBrowserSearch")))
            search->Navigate(SearchBrowserUrl);
    }
}

void FormSelectSearch::CommandClose_Click()
{
    hide();
    Forms::Unload(this);
}
