#pragma once
// The order in which a set of renames inside folders can run when some of
// them take names that others give up: a chain (b to c, then a to b) runs
// from its free end, and a circle (a to b, b to a) parks one file under a
// temporary name first, so that no step ever needs a name still in use.

#include <QList>
#include <QString>

// One rename; names are compared exactly as given (the caller folds case
// where its disk does).
struct PlannedMove {
    QString folder;
    QString from;
    QString to;
};

enum class MoveStep : quint8 {
    Direct,        // from to to
    ToTemporary,   // from to a temporary name, opening a circle
    FromTemporary, // the temporary name to to, closing it
};

struct OrderedStep {
    int move = 0; // index into the moves given
    MoveStep step = MoveStep::Direct;
    friend bool operator==(const OrderedStep&, const OrderedStep&) = default;
};

// Every move once (a circle's opener twice), in the order given wherever no
// move waits for another: a move whose target is the source of a later move
// waits for that one, and so on along the chain. Moves that share a source
// or a target keep their order given; the no-replace rename lets the first
// one through and refuses the others, as without this order.
[[nodiscard]] QList<OrderedStep> OrderMoves(const QList<PlannedMove>& moves);
