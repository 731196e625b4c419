#include "core/MoveOrder.h"

#include <QHash>

#include <vector>

namespace {

QString KeyOf(const QString& folder, const QString& name)
{
    return folder + QChar(0) + name;
}

enum class Mark : quint8 { Unvisited, OnPath, Done };

} // namespace

QList<OrderedStep> OrderMoves(const QList<PlannedMove>& moves)
{
    const auto count = static_cast<int>(moves.size());
    // The move that gives up each name; the first one when several claim it.
    QHash<QString, int> bySource;
    bySource.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QString key = KeyOf(moves.at(i).folder, moves.at(i).from);
        if (!bySource.contains(key))
            bySource.insert(key, i);
    }
    std::vector<int> next(static_cast<size_t>(count), -1); // the move this one waits for
    for (int i = 0; i < count; ++i) {
        const PlannedMove& move = moves.at(i);
        if (move.from == move.to)
            continue;
        const auto found = bySource.constFind(KeyOf(move.folder, move.to));
        if (found != bySource.constEnd() && *found != i)
            next[static_cast<size_t>(i)] = *found;
    }

    QList<OrderedStep> steps;
    steps.reserve(count + count / 2);
    std::vector<Mark> marks(static_cast<size_t>(count), Mark::Unvisited);
    std::vector<int> path;
    for (int start = 0; start < count; ++start) {
        if (marks[static_cast<size_t>(start)] != Mark::Unvisited)
            continue;
        // Follow the waits until a move that waits for nobody still to move,
        // or one already on this path: a circle.
        path.clear();
        int at = start;
        while (at >= 0 && marks[static_cast<size_t>(at)] == Mark::Unvisited) {
            marks[static_cast<size_t>(at)] = Mark::OnPath;
            path.push_back(at);
            at = next[static_cast<size_t>(at)];
        }
        size_t circleStart = path.size();
        if (at >= 0 && marks[static_cast<size_t>(at)] == Mark::OnPath) {
            // The path runs into a circle at `at`: it gives up its name first.
            while (path[circleStart - 1] != at)
                --circleStart;
            --circleStart;
            steps.append({at, MoveStep::ToTemporary});
            for (size_t i = path.size(); i-- > circleStart + 1;)
                steps.append({path[i], MoveStep::Direct});
            steps.append({at, MoveStep::FromTemporary});
        }
        // The moves leading to the circle, or the chain, from its free end.
        for (size_t i = circleStart; i-- > 0;)
            steps.append({path[i], MoveStep::Direct});
        for (const int member : path)
            marks[static_cast<size_t>(member)] = Mark::Done;
    }
    return steps;
}
