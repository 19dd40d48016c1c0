// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Random.h"
#include "Stock.h"

namespace dovrel::sample {

// The stock of a sample installation: a fixed set of vehicles that each show one case the
// editor has to handle (every engine type, multiple units, tenders, wagons with no, one and two
// bulk cargoes, coaches, missing and empty coupling ids, skipped providers, products, folders,
// levels and file names, a blueprint that does not convert, duplicate and non-ASCII names),
// then ordinary vehicles spread over the products until about `units` vehicle blueprints exist.
Stock makeStock(Random& random, int units);

// How many vehicles the fixed set holds; fewer units than this are not made.
int fixedVehicleCount();

} // namespace dovrel::sample
