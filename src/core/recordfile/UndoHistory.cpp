#include "UndoHistory.h"

namespace {

// What the allocator and Qt keep in front of every array or string.
constexpr qsizetype AllocationHeader = 32;

qsizetype stringBytes(const QString& text)
{
    return text.capacity() > 0 ? AllocationHeader + (text.capacity() + 1) * qsizetype(sizeof(QChar))
                               : 0;
}

qsizetype linesBytes(const QStringList& lines)
{
    qsizetype bytes =
        lines.capacity() > 0 ? AllocationHeader + lines.capacity() * qsizetype(sizeof(QString)) : 0;
    for (const QString& line : lines)
        bytes += stringBytes(line);
    return bytes;
}

} // namespace

void UndoHistory::addChange(Step& step, bool& started, int index, int count,
                            const QStringList& lines, const QStringList& display)
{
    if (!started) {
        step.index = index;
        step.removed = display.mid(index, count);
        step.inserted = lines;
        started = true;
        return;
    }
    // Lines the step had left alone but this change touches, or that lie between the two,
    // join its range: their old text goes to both sides.
    const int first = qMin(step.index, index);
    const int shownEnd = step.index + int(step.inserted.size());
    const int end = qMax(shownEnd, index + count);
    QStringList removed = display.mid(first, step.index - first);
    removed += step.removed;
    removed += display.mid(shownEnd, end - shownEnd);
    QStringList inserted = display.mid(first, index - first);
    inserted += lines;
    inserted += display.mid(index + count, end - index - count);
    step.index = first;
    step.removed = std::move(removed);
    step.inserted = std::move(inserted);
}

void UndoHistory::push(Step step)
{
    m_steps.erase(m_steps.begin() + m_position, m_steps.end());
    if (m_clean > m_position)
        m_clean = CleanLost;
    m_steps.append(std::move(step));
    ++m_position;
    while (m_steps.size() > m_maxSteps) {
        const bool change = !m_steps.front().clear;
        if (m_clean == 0) {
            m_clean = CleanBeforeSteps;
            m_unsavedAtFirst = change;
        } else if (m_clean == CleanBeforeSteps) {
            m_unsavedAtFirst = m_unsavedAtFirst || change;
        } else if (m_clean > 0) {
            --m_clean;
        }
        m_steps.removeFirst();
        --m_position;
    }
}

void UndoHistory::restart(bool clean)
{
    m_steps.clear();
    m_position = 0;
    m_clean = clean ? 0 : CleanLost;
    m_unsavedAtFirst = false;
}

bool UndoHistory::changesBetween(int from, int to) const
{
    for (int i = from; i < to; ++i) {
        if (!m_steps[i].clear)
            return true;
    }
    return false;
}

bool UndoHistory::unsaved() const
{
    switch (m_clean) {
    case CleanLost:
        return true;
    case CleanBeforeSteps:
        return m_unsavedAtFirst || changesBetween(0, m_position);
    default:
        // Back from the clean position the display holds what a save took away or replaced.
        return m_position < m_clean || changesBetween(m_clean, m_position);
    }
}

qsizetype UndoHistory::bytesHeld() const
{
    qsizetype bytes = AllocationHeader + m_steps.capacity() * qsizetype(sizeof(Step));
    for (const Step& step : m_steps) {
        bytes += linesBytes(step.removed) + linesBytes(step.inserted);
        bytes += linesBytes(step.before.fields) + linesBytes(step.after.fields);
    }
    return bytes;
}
