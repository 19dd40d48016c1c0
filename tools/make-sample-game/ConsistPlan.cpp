// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsistPlan.h"

#include <algorithm>
#include <stdexcept>

namespace dovrel::sample {
namespace {

ConsistVehicle asConsistVehicle(const Vehicle& v, bool flipped) {
    return ConsistVehicle{
        BlueprintRef{v.set, blueprintId(v)}, v.displayName, v.kind == VehicleKind::Engine, flipped, v.mass,
        static_cast<int>(v.cargo.size())};
}

// A vehicle that no product holds.
ConsistVehicle missingVehicle(const BlueprintSet& set, const std::string& id, const std::string& name) {
    return ConsistVehicle{BlueprintRef{set, id}, name, false, false, 24.5, 0};
}

std::string asciiLower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

// The catalogued stock sorted by what it can do in a train.
class StockPools {
public:
    explicit StockPools(const Stock& stock) : stock_(stock) {
        for (const Vehicle& v : stock.vehicles) {
            if (v.outcome != Outcome::Catalogued) {
                continue;
            }
            if (v.kind == VehicleKind::Tender) {
                tenders_.push_back(&v);
            } else if (v.kind == VehicleKind::Wagon) {
                (v.doorways > 0 ? coaches_ : freight_).push_back(&v);
            } else if (v.doorways > 0) {
                multipleUnits_.push_back(&v);
            } else if (v.engine == EngineType::Steam && v.cargo.empty()) {
                tenderEngines_.push_back(&v);
            } else if (v.engine != EngineType::None) {
                locos_.push_back(&v);
            }
        }
        for (const auto* pool :
             {&locos_, &tenderEngines_, &tenders_, &coaches_, &freight_, &multipleUnits_}) {
            if (pool->empty()) {
                throw std::logic_error("the stock lacks a kind of vehicle the trains need");
            }
        }
    }

    // A vehicle of the fixed set, by its product and file name.
    const Vehicle& fixed(const BlueprintSet& set, const std::string& fileName) const {
        for (const Vehicle& v : stock_.vehicles) {
            if (v.set == set && v.fileName == fileName) {
                return v;
            }
        }
        throw std::logic_error("no vehicle " + fileName + " in the fixed set");
    }

    Train randomTrain(Random& random) const {
        Train train;
        switch (random.between(0, 4)) {
        case 0: // freight
            train.vehicles.push_back(asConsistVehicle(*random.pick(locos_), false));
            if (random.chance(30)) {
                train.vehicles.push_back(asConsistVehicle(*random.pick(locos_), random.chance(50)));
            }
            for (int i = random.between(3, 18); i > 0; --i) {
                train.vehicles.push_back(asConsistVehicle(*random.pick(freight_), random.chance(25)));
            }
            break;
        case 1: // loco-hauled passenger
            train.vehicles.push_back(asConsistVehicle(*random.pick(locos_), false));
            for (int i = random.between(3, 9); i > 0; --i) {
                train.vehicles.push_back(asConsistVehicle(*random.pick(coaches_), random.chance(50)));
            }
            break;
        case 2: { // steam with its tender
            const Vehicle& loco = *random.pick(tenderEngines_);
            train.vehicles.push_back(asConsistVehicle(loco, false));
            train.vehicles.push_back(asConsistVehicle(tenderFor(loco, random), false));
            const auto& load = random.chance(50) ? coaches_ : freight_;
            for (int i = random.between(2, 7); i > 0; --i) {
                train.vehicles.push_back(asConsistVehicle(*random.pick(load), random.chance(30)));
            }
            break;
        }
        case 3: { // multiple unit
            const Vehicle& motor = *random.pick(multipleUnits_);
            train.vehicles.push_back(asConsistVehicle(motor, false));
            for (int i = random.between(0, 2); i > 0; --i) {
                train.vehicles.push_back(asConsistVehicle(*random.pick(coaches_), false));
            }
            train.vehicles.push_back(asConsistVehicle(motor, true));
            break;
        }
        default: // light engine
            train.vehicles.push_back(asConsistVehicle(*random.pick(locos_), random.chance(50)));
            break;
        }
        return train;
    }

    std::vector<ConsistVehicle> freightTrain(Random& random, int wagons) const {
        std::vector<ConsistVehicle> list{asConsistVehicle(*random.pick(locos_), false)};
        for (int i = 0; i < wagons; ++i) {
            list.push_back(asConsistVehicle(*random.pick(freight_), random.chance(20)));
        }
        return list;
    }

private:
    const Vehicle& tenderFor(const Vehicle& loco, Random& random) const {
        for (const Vehicle* tender : tenders_) {
            if (tender->set == loco.set &&
                tender->folder.starts_with(loco.folder.substr(0, loco.folder.rfind('/')))) {
                return *tender;
            }
        }
        return *random.pick(tenders_);
    }

    const Stock& stock_;
    std::vector<const Vehicle*> locos_;
    std::vector<const Vehicle*> tenderEngines_;
    std::vector<const Vehicle*> tenders_;
    std::vector<const Vehicle*> coaches_;
    std::vector<const Vehicle*> freight_;
    std::vector<const Vehicle*> multipleUnits_;
};

const BlueprintSet kNordland{"Ostwerk Rail", "Nordland Freight"};
const BlueprintSet kHeritage{"Ostwerk Rail", "Heritage Steam"};
const BlueprintSet kRegional{"Kestrel Models", "Regional Express"};
const BlueprintSet kMountain{"Brennmoor Works", "Bergstrecke Süd"};
const BlueprintSet kCore{"VantorStudios", "vantorcore"};

std::string headcode(Random& random) {
    static const std::string kLetters = "ACDFKMNSTVZ";
    return std::to_string(random.between(0, 9)) + kLetters[static_cast<std::size_t>(random.between(0, 10))] +
           std::to_string(random.between(10, 99));
}

void addRandomTrains(ScenarioPlan& scenario, const StockPools& pools, Random& random, int count) {
    static const std::vector<std::string> kDestinations{
        "Nordland Yard",   "Brennmoor Hbf", "Kestrel Junction", "Halvard Docks",   "Säntisblick",
        "Ostwerk Sidings", "Coastal Halt",  "Überlandbahnhof",  "Kraków Towarowy", "Port Lumière"};
    for (int i = 0; i < count; ++i) {
        Train train = pools.randomTrain(random);
        train.destination = random.pick(kDestinations);
        if (random.chance(15)) {
            train.driven = false;
        } else if (random.chance(10)) {
            train.serviceName.clear();
        } else {
            train.serviceName = headcode(random) + " to " + train.destination;
        }
        scenario.trains.push_back(std::move(train));
    }
}

std::vector<UserConsist> userConsists(const StockPools& pools, Random& random) {
    const auto unit = [&pools](const BlueprintSet& set, const std::string& file, bool flipped = false) {
        return asConsistVehicle(pools.fixed(set, file), flipped);
    };
    std::vector<UserConsist> list;
    UserConsist coal{"Nordland Coal Train", {unit(kNordland, "dr220.bin")}};
    for (int i = 0; i < 4; ++i) {
        coal.vehicles.push_back(unit(kNordland, "fals_coal.bin", i == 2));
    }
    coal.vehicles.push_back(unit(kNordland, "brake_van.bin", true));
    list.push_back(coal);
    list.push_back({"Güterzug Nord 47611",
                    {unit(kNordland, "et45.BIN"), unit(kNordland, "zacns_tank.bin"),
                     unit(kNordland, "zacns_tank.bin"), unit(kNordland, "zacns_tank.bin", true),
                     unit(kNordland, "tnfs_kühl.bin"), unit(kNordland, "tnfs_kühl.bin")}});
    list.push_back(
        {"Coal & Ballast",
         {unit(kHeritage, "7f_loco.bin"), unit(kHeritage, "7f_tender.bin"), unit(kMountain, "schotter.bin"),
          unit(kMountain, "schotter.bin"), unit(kMountain, "schotter.bin", true)}});
    list.push_back({"EMU 425 Pair",
                    {unit(kRegional, "emu425_dmso.bin"), unit(kRegional, "emu425_tso.bin"),
                     unit(kRegional, "emu425_dmso.bin", true)}});
    list.push_back(
        {"Heritage Excursion",
         {unit(kHeritage, "3t_tank.bin"), unit(kHeritage, "mk1_fk.bin"), unit(kHeritage, "mk1_fk.bin"),
          missingVehicle(kHeritage, "RailVehicles\\Coaches\\Mk1\\Maroon\\Wagon\\mk1_bg.xml",
                         "Mk1 Full Brake"),
          unit(kHeritage, "mk1_bck.BIN", true)}});
    list.push_back({"Mixed Freight", pools.freightTrain(random, random.between(3, 8))});
    return list;
}

RoutePlan nordlandRoute(const StockPools& pools, Random& random, int extraTrains) {
    const auto unit = [&pools](const BlueprintSet& set, const std::string& file, bool flipped = false) {
        return asConsistVehicle(pools.fixed(set, file), flipped);
    };
    RoutePlan route{random.guid(), "Nordland Main Line", true, {}};

    ScenarioPlan morning{random.guid(), "Morning Freight Rush", true, {}};
    Train coal{true, "7Z41 Coal to Brennmoor", "Brennmoor Hbf", {unit(kNordland, "dr220.bin")}};
    for (int i = 0; i < 5; ++i) {
        coal.vehicles.push_back(unit(kNordland, "fals_coal.bin", i % 2 == 1));
    }
    coal.vehicles.push_back(unit(kNordland, "brake_van.bin", true));
    morning.trains.push_back(coal);
    Train mixed{true, "6M02 Mixed Freight", "Ostwerk Sidings", pools.freightTrain(random, 4)};
    mixed.vehicles.insert(mixed.vehicles.begin() + 2,
                          missingVehicle(kNordland,
                                         "RailVehicles\\Freight\\Hopper\\Fals\\Wagon\\fals_covered.xml",
                                         "Fals Covered Hopper"));
    morning.trains.push_back(mixed);
    Train sidings{false, "", "", {}};
    for (int i = 0; i < 4; ++i) {
        sidings.vehicles.push_back(unit(kNordland, i % 2 == 0 ? "zacns_tank.bin" : "rs_flat.bin"));
    }
    morning.trains.push_back(sidings);
    morning.trains.push_back(Train{false, "", "", {}});
    Train stopping{true, "2N15 Stopping Service", "Kestrel Junction", {}};
    for (const auto& [file, flipped] : std::vector<std::pair<std::string, bool>>{
             {"emu425_dmso.bin", false}, {"emu425_tso.bin", false}, {"emu425_dmso.bin", true}}) {
        ConsistVehicle v = unit(kRegional, file, flipped);
        v.ref.id = asciiLower(v.ref.id);
        stopping.vehicles.push_back(v);
    }
    morning.trains.push_back(stopping);
    addRandomTrains(morning, pools, random, 2 + extraTrains);
    route.scenarios.push_back(morning);

    ScenarioPlan evening{random.guid(), "Güterverkehr am Abend", true, {}};
    Train core{
        true,
        "Güterzug 47611 nach Brennmoor",
        "Brennmoor Hbf",
        {unit(kNordland, "et45.BIN"), unit(kNordland, "tnfs_kühl.bin"), unit(kNordland, "tnfs_kühl.bin")}};
    ConsistVehicle defaultWagon = missingVehicle(
        kCore, "RailVehicles\\Freight\\Default Wagon\\Wagon\\default_wagon.xml", "Default Wagon");
    core.vehicles.push_back(defaultWagon);
    evening.trains.push_back(core);
    addRandomTrains(evening, pools, random, 3 + extraTrains);
    route.scenarios.push_back(evening);
    return route;
}

RoutePlan mountainRoute(const StockPools& pools, Random& random, int extraTrains) {
    const auto unit = [&pools](const BlueprintSet& set, const std::string& file, bool flipped = false) {
        return asConsistVehicle(pools.fixed(set, file), flipped);
    };
    RoutePlan route{random.guid(), "Bergstrecke Süd", true, {}};
    ScenarioPlan early{random.guid(), "Zahnradbahn Frühverkehr", true, {}};
    early.trains.push_back(
        Train{true,
              "Sonderzug «Säntis»",
              "Säntisblick",
              {unit(kMountain, "zahnradlok_hge44.bin"), unit(kMountain, "panorama_älpli.bin"),
               unit(kMountain, "panorama_älpli.bin", true)}});
    early.trains.push_back(Train{true,
                                 "Bauzug 91 „Rigi“",
                                 "Überlandbahnhof",
                                 {unit(kMountain, "dampflok_hg.bin", true), unit(kMountain, "schotter.bin"),
                                  unit(kMountain, "schotter.bin")}});
    addRandomTrains(early, pools, random, 1 + extraTrains);
    route.scenarios.push_back(early);
    route.scenarios.push_back(ScenarioPlan{random.guid(), "Entwurf", false, {}});
    return route;
}

} // namespace

ConsistPlan planConsists(const Stock& stock, Random& random) {
    const StockPools pools(stock);
    const int extraTrains = std::min(36, static_cast<int>(stock.vehicles.size()) / 150);
    ConsistPlan plan;
    plan.userConsists = userConsists(pools, random);
    plan.routes.push_back(nordlandRoute(pools, random, extraTrains));
    plan.routes.push_back(mountainRoute(pools, random, extraTrains));
    plan.routes.push_back(RoutePlan{random.guid(), "Kestrel Valley Branch", false, {}});
    return plan;
}

std::vector<Train> randomTrains(const Stock& stock, Random& random, int count) {
    ScenarioPlan scenario;
    addRandomTrains(scenario, StockPools(stock), random, count);
    return std::move(scenario.trains);
}

} // namespace dovrel::sample
