#pragma once

#include "core/Services.h"

// Stands in for the media-tag service where none is given: every detail
// column is empty.
class NoDetails final : public DetailSource {
public:
    QString detailByHeader(const QString&, const QString&, const QString&) override { return {}; }
};
