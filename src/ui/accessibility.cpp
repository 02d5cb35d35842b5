#include "ui/accessibility.h"

#include <QCoreApplication>
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
    {"Form1", "cmdPaste_0", QT_TRANSLATE_NOOP("Accessibility", "Paste Subject")},
    {"Form1", "cmdPaste_1", QT_TRANSLATE_NOOP("Accessibility", "Paste Username")},
    {"Form1", "cmdPaste_2", QT_TRANSLATE_NOOP("Accessibility", "Paste Password")},
    {"Form1", "lstPosts2", QT_TRANSLATE_NOOP("Accessibility", "Your Forums")},
    {"Form1", "lstPosts", QT_TRANSLATE_NOOP("Accessibility", "Your Posts")},
    {"Form1", "lstNew", QT_TRANSLATE_NOOP("Accessibility", "Posts with new replies")},
    {"Form1", "WebBrowser1", QT_TRANSLATE_NOOP("Accessibility", "Web page")},
    {"Form3", "List1", QT_TRANSLATE_NOOP("Accessibility", "Saved messages")},
    {"Form3", "Text1", QT_TRANSLATE_NOOP("Accessibility", "Message")},
    {"frmCustom", "txtName_", QT_TRANSLATE_NOOP("Accessibility", "Name %1")},
    {"frmCustom", "txtLinkOpen01_", QT_TRANSLATE_NOOP("Accessibility", "Link Open %1")},
    {"frmCustom", "txtLinkOpen02_", QT_TRANSLATE_NOOP("Accessibility", "Link Middle %1")},
    {"frmCustom", "txtLinkClose_", QT_TRANSLATE_NOOP("Accessibility", "Link End %1")},
    {"frmCustom", "txtMailCall_", QT_TRANSLATE_NOOP("Accessibility", "Email %1")},
    {"frmCustom", "txtMailOpen_", QT_TRANSLATE_NOOP("Accessibility", "Email Open %1")},
    {"frmCustom", "txtMailClose_", QT_TRANSLATE_NOOP("Accessibility", "Email End %1")},
    {"frmCustom", "cmdDel_", QT_TRANSLATE_NOOP("Accessibility", "Clear template %1")},
    {"Form8", "rtf1", QT_TRANSLATE_NOOP("Accessibility", "Help")},
    {"frmWebsite", "WebBrowser1", QT_TRANSLATE_NOOP("Accessibility", "Web page")},
    {"popupWindow", "popupBrowser", QT_TRANSLATE_NOOP("Accessibility", "Web page")},
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
                control->setAccessibleName(QCoreApplication::translate("Accessibility", entry.name));
                break;
            }
            if (indexed.hasMatch() && indexed.captured(1) == QLatin1String(entry.control)) {
                control->setAccessibleName(
                    QCoreApplication::translate("Accessibility", entry.name).arg(indexed.captured(2).toInt() + 1));
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
