// What assistive technology sees of a web link label: a link to its page that can be followed.
#pragma once

#include <QAccessibleWidget>

class LinkLabel;

// Role Link, named by its caption; the description and the hyperlink interface give the page's
// address. The press action follows the link as a click does.
class LinkLabelAccessible final : public QAccessibleWidget, public QAccessibleHyperlinkInterface
{
public:
    explicit LinkLabelAccessible(LinkLabel *link);

    [[nodiscard]] QString text(QAccessible::Text kind) const override;
    [[nodiscard]] QAccessible::State state() const override;
    [[nodiscard]] void *interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleActionInterface, through QAccessibleWidget
    [[nodiscard]] QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    [[nodiscard]] QStringList keyBindingsForAction(const QString &actionName) const override;

    // QAccessibleHyperlinkInterface
    [[nodiscard]] QString anchor() const override;
    [[nodiscard]] QString anchorTarget() const override;
    [[nodiscard]] int startIndex() const override;
    [[nodiscard]] int endIndex() const override;
    [[nodiscard]] bool isValid() const override;

private:
    [[nodiscard]] LinkLabel *link() const;
};
