// The data source that passes each change of the hireling table to its bound controls.
#include "DataSource.h"

#include <algorithm>
#include <utility>

DataSource::DataSource(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("dsMD"));
}

DataSource::~DataSource() = default;

void DataSource::bindControl(QObject *control, std::function<void()> refresh)
{
    if (control == nullptr || !refresh)
        return;
    m_bindings.push_back({control, std::move(refresh)});
    // The connection lives with this data source, so a control outliving it calls nothing.
    connect(control, &QObject::destroyed, this, &DataSource::forget, Qt::UniqueConnection);
}

int DataSource::boundControlCount() const
{
    return static_cast<int>(std::count_if(m_bindings.begin(), m_bindings.end(),
                                          [](const Binding &b) { return !b.control.isNull(); }));
}

void DataSource::setDataChangeHandler(std::function<void()> handler)
{
    m_dataChangeHandler = std::move(handler);
}

void DataSource::notifyDataChange()
{
    // A refresh may bind, unbind or destroy controls; work on the list as it was when the
    // notification began and skip the controls that are gone by the time their turn comes.
    const std::vector<Binding> bindings = m_bindings;
    for (const Binding &binding : bindings) {
        if (!binding.control.isNull())
            binding.refresh();
    }
    if (m_dataChangeHandler) {
        // Held by value so that a handler replacing itself finishes its own run.
        const std::function<void()> handler = m_dataChangeHandler;
        handler();
    }
}

void DataSource::forget(const QObject *control)
{
    std::erase_if(m_bindings, [control](const Binding &b) {
        return b.control.isNull() || b.control.data() == control;
    });
}
