#include "ui/accessibility.h"

#include <QRegularExpression>
#include <QWidget>

namespace {
struct AccessibleName
{
    const char *window;
    const char *control;
    const char *name;
};

// Fields with a label beside them are named by that label (its buddy), buttons by their caption
// and icon-only buttons by their tooltip; only what is left is named here. Drop-down lists and tab
// strips are announced by their current choice and their label, whatever name they are given.
constexpr AccessibleName names[] = {
    {"Form1", "cmdPaste_0", "Paste Subject"},
    {"Form1", "cmdPaste_1", "Paste Username"},
    {"Form1", "cmdPaste_2", "Paste Password"},
    {"Form1", "lstPosts2", "Your Forums"},
    {"Form1", "lstPosts", "Your Posts"},
    {"Form1", "lstNew", "Posts with new replies"},
    {"Form1", "WebBrowser1", "Web page"},
    {"Form3", "List1", "Saved messages"},
    {"Form3", "Text1", "Message"},
    {"frmCustom", "txtName_", "Name %1"},
    {"frmCustom", "txtLinkOpen01_", "Link Open %1"},
    {"frmCustom", "txtLinkOpen02_", "Link Middle %1"},
    {"frmCustom", "txtLinkClose_", "Link End %1"},
    {"frmCustom", "txtMailCall_", "Email %1"},
    {"frmCustom", "txtMailOpen_", "Email Open %1"},
    {"frmCustom", "txtMailClose_", "Email End %1"},
    {"frmCustom", "cmdDel_", "Clear template %1"},
    {"Form8", "rtf1", "Help"},
    {"frmWebsite", "WebBrowser1", "Web page"},
    {"popupWindow", "popupBrowser", "Web page"},
};
} // namespace

void applyAccessibleNames(QWidget *window)
{
    static const QRegularExpression element(QStringLiteral("^(.*_)(\\d+)$"));
    const QString windowName = window->objectName();
    const QList<QWidget *> controls = window->findChildren<QWidget *>();
    for (QWidget *control : controls) {
        const QString name = control->objectName();
        const QRegularExpressionMatch indexed = element.match(name);
        for (const AccessibleName &entry : names) {
            if (windowName != QLatin1String(entry.window))
                continue;
            if (name == QLatin1String(entry.control)) {
                control->setAccessibleName(QString::fromUtf8(entry.name));
                break;
            }
            if (indexed.hasMatch() && indexed.captured(1) == QLatin1String(entry.control)) {
                control->setAccessibleName(QString::fromUtf8(entry.name).arg(indexed.captured(2).toInt() + 1));
                break;
            }
        }
    }
}

void applyAccessibility(QWidget *window, const QList<QWidget *> &tabBlocks)
{
    applyAccessibleNames(window);
    QList<QWidget *> order;
    for (QWidget *block : tabBlocks) {
        // A control Tab stops at is a block of its own; a panel brings its controls.
        if (block->focusPolicy() & Qt::TabFocus) {
            order.append(block);
            continue;
        }
        for (QWidget *control : block->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            // A page view takes focus through a proxy of the engine's.
            if ((control->focusPolicy() & Qt::TabFocus) || control->focusProxy())
                order.append(control);
        }
    }
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order.at(i), order.at(i + 1));
}
