#include "CmdUIQt.h"
#include "DialogBar.h"
#include "DialogUnitsQt.h"
#include "ResourceLoader.h"
#include "VirtualKeysQt.h"
#include "WndQt.h"

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QToolBar>
#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace curvix {
namespace {

// Holds the controls at their template positions and keeps Tab inside
// the bar, skipping disabled controls, as a dialog does. The bar is as wide
// as the frame: its first edit field takes the width the template does not
// fill (down to a third of its own width), and the controls right of it
// move with its right edge, so that they stay whole.
class DialogBarPage : public QWidget {
public:
    DialogBarPage(QWidget* parent, QSize templateSize) : QWidget(parent), m_size(templateSize) {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        setFixedHeight(templateSize.height());
    }
    QSize sizeHint() const override { return m_size; }
    QSize minimumSizeHint() const override {
        const int shrink = m_stretch != nullptr ? m_stretchRect.width() - MinimumStretchWidth() : 0;
        return {m_size.width() - shrink, m_size.height()};
    }

    void AddTabStop(QWidget* control) { m_tabStops.push_back(control); }

    // The control that takes the free width; those whose template place
    // lies right of it follow its right edge.
    void SetStretchControl(QWidget* control) {
        m_stretch = control;
        m_stretchRect = control->geometry();
        m_templateRects.clear();
        for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            m_templateRects.emplace_back(child, child->geometry());
        updateGeometry();
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        if (m_stretch == nullptr)
            return;
        const int width =
            std::max(MinimumStretchWidth(), m_stretchRect.width() + this->width() - m_size.width());
        const int shift = width - m_stretchRect.width();
        for (const auto& [control, rect] : m_templateRects) {
            if (control == nullptr)
                continue;
            if (control == m_stretch)
                control->setGeometry(QRect(rect.topLeft(), QSize(width, rect.height())));
            else if (rect.left() >= m_stretchRect.right())
                control->setGeometry(rect.translated(shift, 0));
        }
    }

    bool focusNextPrevChild(bool next) override {
        std::vector<QWidget*> stops;
        for (QWidget* control : m_tabStops) {
            if (control->isEnabled() && control->isVisible())
                // cppcheck-suppress useStlAlgorithm
                stops.push_back(control);
        }
        if (stops.empty())
            return false;
        const int count = static_cast<int>(stops.size());
        int current = -1;
        for (int i = 0; i < count; ++i) {
            if (stops[static_cast<size_t>(i)]->hasFocus())
                current = i;
        }
        int target = next ? 0 : count - 1;
        if (current >= 0)
            target = (current + (next ? 1 : count - 1)) % count;
        stops[static_cast<size_t>(target)]->setFocus(next ? Qt::TabFocusReason
                                                          : Qt::BacktabFocusReason);
        return true;
    }

private:
    int MinimumStretchWidth() const { return m_stretchRect.width() / 3; }

    QSize m_size;
    std::vector<QWidget*> m_tabStops;
    QPointer<QWidget> m_stretch;
    QRect m_stretchRect; // its place in the template
    std::vector<std::pair<QPointer<QWidget>, QRect>> m_templateRects;
};

// The edit field's own context menu, less the key hints that the frame's
// accelerator table takes before the field sees them: those keys do not
// do what the menu says.
void ShowEditMenu(QLineEdit* edit, const CBarSite* site, QPoint at) {
    QMenu* menu = edit->createStandardContextMenu();
    for (QAction* action : menu->actions()) {
        const QString text = action->text();
        const qsizetype tab = text.indexOf(QLatin1Char('\t'));
        if (tab < 0)
            continue;
        const QKeySequence keys =
            QKeySequence::fromString(text.mid(tab + 1), QKeySequence::NativeText);
        if (keys.isEmpty() ||
            site->IsAcceleratorKey(AfxVirtualKeyForQtKey(keys[0].key()),
                                   AfxKeyModifiersForQt(keys[0].keyboardModifiers())))
            action->setText(text.left(tab));
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(edit->mapToGlobal(at));
}

} // namespace

struct CDialogBar::Impl {
    QPointer<QWidget> page;
    std::map<int, QPointer<QAbstractButton>> buttons;
};

CDialogBar::CDialogBar() : m_pImpl(std::make_unique<Impl>()) {}

CDialogBar::~CDialogBar() {
    DestroyBar();
}

HWND CDialogBar::GetPage() const {
    return AfxHwnd(m_pImpl->page.data());
}

BOOL CDialogBar::Create(CBarSite* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID) {
    const DialogResource* dialog = AfxFindResource(&ResourceTable::dialogs, nIDTemplate);
    auto* frame = pParentWnd != nullptr
                      ? qobject_cast<QMainWindow*>(AfxQtWidget(pParentWnd->GetSiteHwnd()))
                      : nullptr;
    if (frame == nullptr || dialog == nullptr || m_hWnd != nullptr)
        return FALSE;

    auto* holder = new QToolBar(frame);
    holder->setObjectName(QStringLiteral("DialogBar%1").arg(nID));
    holder->setMovable(false);
    holder->setFloatable(false);
    holder->setContextMenuPolicy(Qt::PreventContextMenu);
    Qt::ToolBarArea area = Qt::BottomToolBarArea;
    if (nStyle & CBRS_ALIGN_TOP)
        area = Qt::TopToolBarArea;
    holder->setAllowedAreas(area);

    const QFont font = AfxGetDialogFont(dialog->fontName, dialog->pointSize);
    const DialogBaseUnits units = AfxGetDialogBaseUnits(font);
    const QRect pageRect = AfxQRect(AfxMapDialogRect(0, 0, dialog->cx, dialog->cy, units));
    auto* page = new DialogBarPage(holder, pageRect.size());
    page->setFont(font);
    m_pImpl->page = page;

    QPushButton* defaultButton = nullptr;
    QLineEdit* firstEdit = nullptr;
    QString lastLabel;
    const auto wire = [&](const DialogItemResource& item, QWidget* control) {
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            // As in a dialog, the label before a field names it.
            edit->setAccessibleName(lastLabel);
            edit->setContextMenuPolicy(Qt::CustomContextMenu);
            const CBarSite* site = pParentWnd;
            QObject::connect(edit, &QLineEdit::customContextMenuRequested, edit,
                             [edit, site](QPoint at) { ShowEditMenu(edit, site, at); });
            if (firstEdit == nullptr)
                firstEdit = edit;
        } else if (auto* button = qobject_cast<QPushButton*>(control)) {
            button->setAutoDefault(true);
            if (button->isDefault())
                defaultButton = button;
            const UINT id = static_cast<UINT>(item.id);
            CBarSite* site = pParentWnd;
            QObject::connect(button, &QPushButton::clicked, button,
                             [site, id] { site->SendCommand(id); });
            m_pImpl->buttons[item.id] = button;
        } else if (auto* label = qobject_cast<QLabel*>(control)) {
            lastLabel = AfxPlainText(label->text()).trimmed();
        }
        if (item.style & WS_TABSTOP)
            page->AddTabStop(control);
    };
    AfxCreateDialogControls(*dialog, page, units, wire);
    // Enter in an edit field presses the default button.
    if (defaultButton != nullptr) {
        for (QLineEdit* edit : page->findChildren<QLineEdit*>()) {
            QPointer<QPushButton> target = defaultButton;
            QObject::connect(edit, &QLineEdit::returnPressed, edit, [target] {
                if (target != nullptr && target->isEnabled())
                    target->click();
            });
        }
    }
    if (firstEdit != nullptr) {
        page->setFocusProxy(firstEdit);
        page->SetStretchControl(firstEdit);
    }

    holder->addWidget(page);
    frame->addToolBar(area, holder);
    AttachToSite(pParentWnd, AfxHwnd(holder), nID, nStyle | WS_VISIBLE);
    holder->setVisible(true);
    return TRUE;
}

CSize CDialogBar::GetWholeSize() const {
    const QWidget* holder = AfxQtWidget(m_hWnd);
    const QWidget* page = m_pImpl->page;
    if (holder == nullptr || page == nullptr)
        return CControlBar::GetWholeSize();
    // The holder's own margins around the page.
    const QSize margins = holder->sizeHint() - page->sizeHint();
    const QSize whole = page->minimumSizeHint() + margins;
    return {whole.width(), whole.height()};
}

HWND CDialogBar::GetDlgItem(int nID) const {
    return m_pImpl->page != nullptr
               ? AfxHwnd(m_pImpl->page->findChild<QWidget*>(DialogItemName(nID)))
               : nullptr;
}

void CDialogBar::OnUpdateCmdUI(CCmdTarget* pTarget, bool bDisableIfNoHandler) {
    // Only push buttons follow their commands; labels and edit fields
    // stay as they are.
    for (auto& [id, button] : m_pImpl->buttons) {
        if (button == nullptr)
            continue;
        CButtonCmdUI state(button, static_cast<UINT>(id));
        state.DoUpdate(pTarget, bDisableIfNoHandler);
    }
}

// Qt lays the widgets out at the screen's scale itself.
void CDialogBar::OnDpiChanged(UINT) {}

} // namespace curvix
