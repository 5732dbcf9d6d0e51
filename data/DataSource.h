// The data source that passes each change of the hireling table to its bound controls.
#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

// A notification goes first to every bound control, in the order they were bound, then to the
// data-change handler, so that the handler finds controls that already show the new record.
class DataSource final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DataSource)

public:
    explicit DataSource(QObject *parent = nullptr);
    ~DataSource() override;

    // `refresh` runs on every notification while `control` lives; a destroyed control is
    // forgotten. Binding a control twice makes it refresh twice.
    void bindControl(QObject *control, std::function<void()> refresh);
    [[nodiscard]] int boundControlCount() const;

    // The handler that runs after every bound control; an empty function removes it.
    void setDataChangeHandler(std::function<void()> handler);

    // Raised by the table, synchronously, for every move of its current record and every refresh
    // of its contents or order.
    void notifyDataChange();

private:
    struct Binding
    {
        QPointer<QObject> control;
        std::function<void()> refresh;
    };

    void forget(const QObject *control);

    std::vector<Binding> m_bindings;
    std::function<void()> m_dataChangeHandler;
};
