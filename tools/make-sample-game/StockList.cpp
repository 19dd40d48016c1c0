// SPDX-License-Identifier: GPL-3.0-or-later
#include "StockList.h"

#include <algorithm>
#include <set>
#include <string_view>

namespace dovrel::sample {
namespace {

const BlueprintSet kNordland{"Ostwerk Rail", "Nordland Freight"};
const BlueprintSet kHeritage{"Ostwerk Rail", "Heritage Steam"};
const BlueprintSet kRegional{"Kestrel Models", "Regional Express"};
const BlueprintSet kBulk{"Kestrel Models", "Bulk Haulers"};
const BlueprintSet kMountain{"Brennmoor Works", "Bergstrecke Süd"};
const BlueprintSet kCoastal{"Halvard Stock", "Coastal Commuter"};
const BlueprintSet kStarter{"VantorStudios", "Starter Pack"};
const BlueprintSet kCore{"VantorStudios", "vantorcore"};
const BlueprintSet kDeveloper{"Developer", "Prototypes"};

Coupling coupling(const BlueprintSet& set, std::string_view path) {
    return Coupling{true, BlueprintRef{set, "RailVehicles\\Couplings\\" + std::string(path) + ".xml"}};
}

const Coupling kBuffer = coupling(kCore, "Buffer");
const Coupling kHeavyBuffer = coupling(kCore, "HeavyBuffer");
const Coupling kKnuckle = coupling(kCore, "Knuckle");
const Coupling kAutoCoupler = coupling(kCore, "AutoCoupler");
const Coupling kScrewLink = coupling(kNordland, "ScrewLink");
const Coupling kTightlock = coupling(kRegional, "Tightlock");
const Coupling kRackBuffer = coupling(kMountain, "Zahnrad\\RackBuffer");

// How a product's own stock looks: its bogie, its usual couplings.
struct ProductProfile {
    BlueprintSet set;
    std::string bogie;
    std::vector<Coupling> couplings;
    Coupling multipleUnitCoupling;
    bool germanNames = false;
};

const std::vector<ProductProfile>& profiles() {
    static const std::vector<ProductProfile> list{
        {kNordland, "Y25", {kBuffer, kScrewLink}, kAutoCoupler, false},
        {kHeritage, "DiamondFrame", {kBuffer}, kBuffer, false},
        {kRegional, "SF500", {kTightlock, kBuffer}, kTightlock, false},
        {kBulk, "HeavyHaul", {kKnuckle, kHeavyBuffer}, kKnuckle, false},
        {kMountain, "RackTruck", {kRackBuffer, kBuffer}, kAutoCoupler, true},
        {kCoastal, "B5", {kBuffer}, kAutoCoupler, false},
        {kStarter, "Standard", {kBuffer}, kAutoCoupler, false},
        {kCore, "Standard", {kBuffer}, kAutoCoupler, false},
        {kDeveloper, "Test", {kBuffer}, kBuffer, false},
    };
    return list;
}

const ProductProfile& profileOf(const BlueprintSet& set) {
    for (const ProductProfile& profile : profiles()) {
        if (profile.set == set) {
            return profile;
        }
    }
    return profiles().front();
}

BlueprintRef child(const BlueprintSet& set, std::string_view path) {
    return BlueprintRef{set, "RailVehicles\\Common\\" + std::string(path) + ".xml"};
}

// Fills what every vehicle of a product has in common, with values typical of its kind.
void complete(Vehicle& vehicle, Random& random) {
    const ProductProfile& profile = profileOf(vehicle.set);
    vehicle.bogie = BlueprintRef{vehicle.set, "RailVehicles\\Bogies\\" + profile.bogie + ".xml"};
    const bool passenger = vehicle.doorways > 0;
    switch (vehicle.kind) {
    case VehicleKind::Engine:
        vehicle.children = {child(vehicle.set, "Lamps\\headlamp"), child(vehicle.set, "Lamps\\taillamp"),
                            child(vehicle.set, "Numbers\\numberplate")};
        vehicle.mass = passenger                             ? random.real(38, 56, 1)
                       : vehicle.engine == EngineType::Steam ? random.real(48, 112, 1)
                                                             : random.real(62, 132, 1);
        vehicle.length = passenger ? random.real(22, 26.5, 2) : random.real(11, 23, 2);
        break;
    case VehicleKind::Tender:
        vehicle.children = {child(vehicle.set, "Lamps\\taillamp")};
        vehicle.mass = random.real(22, 48, 1);
        vehicle.length = random.real(7, 10, 2);
        break;
    case VehicleKind::Wagon:
        vehicle.children = {child(vehicle.set, "Lamps\\taillamp"),
                            child(vehicle.set, "Numbers\\numberplate")};
        vehicle.mass = passenger ? random.real(30, 44, 1) : random.real(11, 27, 1);
        vehicle.length = passenger ? random.real(19.5, 26.4, 2) : random.real(9.5, 19.9, 2);
        break;
    }
}

Vehicle engine(const BlueprintSet& set, std::string folder, std::string file, std::string name,
               std::string display, EngineType type, const Coupling& couplingType) {
    Vehicle v;
    v.kind = VehicleKind::Engine;
    v.engine = type;
    v.set = set;
    v.folder = std::move(folder);
    v.fileName = std::move(file);
    v.name = std::move(name);
    v.displayName = std::move(display);
    v.front = couplingType;
    v.rear = couplingType;
    return v;
}

Vehicle wagon(const BlueprintSet& set, std::string folder, std::string file, std::string name,
              std::string display, const Coupling& couplingType) {
    Vehicle v = engine(set, std::move(folder), std::move(file), std::move(name), std::move(display),
                       EngineType::None, couplingType);
    v.kind = VehicleKind::Wagon;
    return v;
}

Vehicle withCargo(Vehicle v, std::vector<BulkCargo> cargo) {
    v.cargoLayout = CargoLayout::Definitions;
    v.cargo = std::move(cargo);
    return v;
}

Vehicle withDoorways(Vehicle v, int doorways) {
    v.cargoLayout = CargoLayout::Definitions;
    v.doorways = doorways;
    return v;
}

Vehicle withOutcome(Vehicle v, Outcome outcome) {
    v.outcome = outcome;
    return v;
}

Vehicle emptyCargoDef(Vehicle v) {
    v.cargoLayout = CargoLayout::EmptyCargoDef;
    return v;
}

// The fixed set: each vehicle stands for a case.
std::vector<Vehicle> fixedVehicles() {
    using E = EngineType;
    using O = Outcome;
    std::vector<Vehicle> list;
    const std::string dr220 = "RailVehicles/Diesel/DR 220/";
    // Ostwerk Rail, Nordland Freight: diesel and electric freight power and wagons at every level.
    list.push_back(engine(kNordland, dr220 + "Default/Engine", "dr220.bin", "dr220", "DR 220 Diesel",
                          E::Diesel, kBuffer));
    list.push_back(engine(kNordland, dr220 + "Weathered/Engine", "dr220_weathered.bin", "dr220_weathered",
                          "DR 220 Diesel (weathered)", E::Diesel, kBuffer));
    list.push_back(engine(kNordland, "RailVehicles/Electric/ET 45/Default/Engine", "et45.BIN", "et45",
                          "ET 45 Elektrolok", E::Electric, kScrewLink));
    list.push_back(withCargo(wagon(kNordland, "RailVehicles/Freight/Hopper/Fals/Wagon", "fals_coal.bin",
                                   "fals_coal", "Fals Coal Hopper", kBuffer),
                             {{58, "Coal"}}));
    list.push_back(
        withOutcome(withCargo(wagon(kNordland, "RailVehicles/Freight/Hopper/Fals/Wagon", "fals_damaged.bin",
                                    "fals_damaged", "Fals Coal Hopper (damaged)", kBuffer),
                              {{58, "Coal"}}),
                    O::Unreadable));
    list.push_back(withCargo(wagon(kNordland, "RailVehicles/Freight/Tank/Zacns/Wagon", "zacns_tank.bin",
                                   "zacns_tank", "Zacns Tank Wagon", kScrewLink),
                             {{62, "Diesel Fuel"}, {12.5, "Heating Oil"}}));
    list.push_back(emptyCargoDef(wagon(kNordland, "RailVehicles/Freight/Flat/Rs/Wagon", "rs_flat.bin",
                                       "rs_flat", "Rs Flat Wagon", kBuffer)));
    list.push_back(wagon(kNordland, "RailVehicles/Freight/Kühlwagen/Tnfs/Wagon", "tnfs_kühl.bin",
                         "tnfs_kuehl", "Kühlwagen Tnfs", kScrewLink));
    list.push_back(wagon(kNordland, "RailVehicles/Wagons", "brake_van.bin", "brake_van",
                         "Güterzugbegleitwagen", kScrewLink));
    list.push_back(
        emptyCargoDef(wagon(kNordland, "RailVehicles/Freight/Box/Gbs/Era IV/Variants/Weathered",
                            "gbs_weathered.bin", "gbs_weathered", "Gbs Box Van (weathered)", kBuffer)));
    list.push_back(
        withOutcome(wagon(kNordland, "RailVehicles/Freight/Box/Gbs/Era IV/Variants/Weathered/Wagon",
                          "gbs_deep.bin", "gbs_deep", "Gbs Box Van (eighth level)", kBuffer),
                    O::OutsideScan));
    list.push_back(withOutcome(
        wagon(kNordland, "RailVehicles", "stray_wagon.bin", "stray_wagon", "Stray Wagon", kBuffer),
        O::OutsideScan));
    list.push_back(
        withOutcome(wagon(kNordland, "", "preview_wagon.bin", "preview_wagon", "Preview Wagon", kBuffer),
                    O::OutsideScan));
    list.push_back(withOutcome(engine(kNordland, "Test/Diesel/DR 220 Test/Engine", "dr220_test.bin",
                                      "dr220_test", "DR 220 Test Bed", E::Diesel, kBuffer),
                               O::OutsideScan));
    list.push_back(withOutcome(wagon(kNordland, "RailVehicles/Freight/Flat/Bogie Flat/Wagon", "BogieFlat.bin",
                                     "bogie_flat", "Bogie Flat Wagon", kBuffer),
                               O::OutsideScan));
    // Ostwerk Rail, Heritage Steam: steam with tender, a tank engine, coaches, an engine without type.
    list.push_back(engine(kHeritage, "RailVehicles/Steam/Class 7F/Default/Engine", "7f_loco.bin", "7f_loco",
                          "7F Consolidation", E::Steam, kBuffer));
    Vehicle tender = withCargo(wagon(kHeritage, "RailVehicles/Steam/Class 7F/Default/Tender", "7f_tender.bin",
                                     "7f_tender", "7F Tender", kBuffer),
                               {{9, "Coal"}, {16, "Water"}});
    tender.kind = VehicleKind::Tender;
    list.push_back(tender);
    list.push_back(withCargo(engine(kHeritage, "RailVehicles/Steam/Class 3T/Default/Engine", "3t_tank.bin",
                                    "3t_tank", "3T Tank Engine", E::Steam, kBuffer),
                             {{2.5, "Coal"}, {5.5, "Water"}}));
    list.push_back(withDoorways(wagon(kHeritage, "RailVehicles/Coaches/Mk1/Maroon/Wagon", "mk1_fk.bin",
                                      "mk1_fk", "Mk1 Corridor Coach", kBuffer),
                                8));
    list.push_back(withDoorways(wagon(kHeritage, "RailVehicles/Coaches/Mk1/Maroon/Wagon", "mk1_bck.BIN",
                                      "mk1_bck", "Mk1 Brake Composite", kBuffer),
                                6));
    list.push_back(engine(kHeritage, "RailVehicles/Departmental/Track Trolley/Default/Engine", "trolley.bin",
                          "trolley", "Track Recording Trolley", E::None, kBuffer));
    // Kestrel Models, Regional Express: multiple units, missing and empty coupling ids.
    list.push_back(
        withDoorways(engine(kRegional, "RailVehicles/Electric/EMU 425/Default/Engine", "emu425_dmso.bin",
                            "emu425_dmso", "EMU 425 Driving Motor", E::Electric, kTightlock),
                     4));
    list.push_back(withDoorways(wagon(kRegional, "RailVehicles/Electric/EMU 425/Default/Wagon",
                                      "emu425_tso.bin", "emu425_tso", "EMU 425 Trailer", kTightlock),
                                4));
    Vehicle noRear =
        withDoorways(engine(kRegional, "RailVehicles/Electric/EMU 425/Default/Engine", "emu425_dmsob.bin",
                            "emu425_dmsob", "EMU 425 Driving Motor B", E::Electric, kTightlock),
                     4);
    noRear.rear.present = false;
    noRear.outcome = O::NoCoupler;
    list.push_back(noRear);
    list.push_back(withDoorways(engine(kRegional, "RailVehicles/Diesel/DMU 642/Default/Engine",
                                       "dmu642_a.bin", "dmu642_a", "DMU 642 Railcar", E::Diesel, kTightlock),
                                3));
    Vehicle emptyFront =
        withDoorways(engine(kRegional, "RailVehicles/Diesel/DMU 642/Default/Engine", "dmu642_b.bin",
                            "dmu642_b", "DMU 642 Railcar B", E::Diesel, kTightlock),
                     3);
    emptyFront.front.ref.id.clear();
    emptyFront.outcome = O::NoCoupler;
    list.push_back(emptyFront);
    list.push_back(engine(kRegional, "RailVehicles/Diesel/DR220/Default/Engine", "dr220.bin", "dr220",
                          "DR 220 Diesel", E::Diesel, kBuffer));
    Vehicle emptyRear = withDoorways(wagon(kRegional, "RailVehicles/Coaches/Regio/Default/Wagon",
                                           "regio_bdz.bin", "regio_bdz", "Regio Control Car", kTightlock),
                                     4);
    emptyRear.rear.ref.id.clear();
    emptyRear.outcome = O::NoCoupler;
    list.push_back(emptyRear);
    list.push_back(withDoorways(wagon(kRegional, "RailVehicles/Coaches/Regio/Default/Wagon", "regio_b.bin",
                                      "regio_b", "Regio Coach 2nd Class", kTightlock),
                                4));
    // Kestrel Models, Bulk Haulers.
    list.push_back(engine(kBulk, "RailVehicles/Diesel/Type 5/Default/Engine", "type5.bin", "type5",
                          "Type 5 Co-Co", E::Diesel, kKnuckle));
    list.push_back(withCargo(wagon(kBulk, "RailVehicles/Freight/Hopper/Aggregate/Wagon",
                                   "aggregate_hopper.bin", "aggregate_hopper", "Aggregate Hopper", kKnuckle),
                             {{75, "Aggregates"}}));
    list.push_back(withCargo(wagon(kBulk, "RailVehicles/Freight/Hopper/Covered/Wagon", "covered_hopper.bin",
                                   "covered_hopper", "Covered Hopper", kKnuckle),
                             {{48, "Grain"}, {48, "Fertiliser"}}));
    list.push_back(wagon(kBulk, "RailVehicles/Freight/Box/Boxcar/Wagon", "boxcar.bin", "boxcar", "Boxcar",
                         kHeavyBuffer));
    list.push_back(engine(kBulk, "RailVehicles/Electric/E-Fret 186/Default/Engine", "efret186.bin",
                          "efret186", "E-Fret 186", E::Electric, kHeavyBuffer));
    // Brennmoor Works, Bergstrecke Süd: non-ASCII names throughout.
    list.push_back(engine(kMountain, "RailVehicles/Electric/Zahnradlok/HGe 44/Default/Engine",
                          "zahnradlok_hge44.bin", "zahnradlok_hge44", "Zahnradlok HGe 4/4 «Säntis»",
                          E::Electric, kRackBuffer));
    list.push_back(
        withDoorways(wagon(kMountain, "RailVehicles/Coaches/Panoramawagen/Default/Wagon",
                           "panorama_älpli.bin", "panorama_aelpli", "Panoramawagen Älpli", kRackBuffer),
                     2));
    list.push_back(withCargo(wagon(kMountain, "RailVehicles/Freight/Schotterwagen/Default/Wagon",
                                   "schotter.bin", "schotter", "Schotterwagen Fcs", kBuffer),
                             {{40, "Ballast"}}));
    list.push_back(
        withCargo(engine(kMountain, "RailVehicles/Steam/Dampflok/Default/Engine", "dampflok_hg.bin",
                         "dampflok_hg", "Dampflok HG 2/3 „Rigi“", E::Steam, kRackBuffer),
                  {{1.2, "Coal"}, {3, "Water"}}));
    // Halvard Stock, Coastal Commuter: a display name that another provider uses too.
    list.push_back(engine(kCoastal, "RailVehicles/Diesel/Coastliner/Default/Engine", "coastliner.bin",
                          "coastliner", "Coastliner DH 12", E::Diesel, kBuffer));
    list.push_back(withDoorways(wagon(kCoastal, "RailVehicles/Coaches/Mk1/Blue/Wagon", "mk1_fk_blue.bin",
                                      "mk1_fk_blue", "Mk1 Corridor Coach", kBuffer),
                                8));
    list.push_back(withCargo(wagon(kCoastal, "RailVehicles/Freight/Cisterna/Wagon", "cisterna_15.bin",
                                   "cisterna_15", "Вагон-цистерна 15-150", kBuffer),
                             {{60, "Crude Oil"}}));
    // VantorStudios: a starter product that counts, and the core product that the scan skips.
    list.push_back(engine(kStarter, "RailVehicles/Diesel/Shunter/Default/Engine", "shunter.bin", "shunter",
                          "Yard Shunter", E::Diesel, kBuffer));
    list.push_back(withCargo(
        wagon(kStarter, "RailVehicles/Freight/Open", "open_wagon.bin", "open_wagon", "Open Wagon", kBuffer),
        {{30, "Coal"}}));
    list.push_back(withOutcome(wagon(kCore, "RailVehicles/Freight/Default Wagon/Wagon", "default_wagon.bin",
                                     "default_wagon", "Default Wagon", kBuffer),
                               O::OutsideScan));
    list.push_back(withOutcome(engine(kCore, "RailVehicles/Diesel/Default Loco/Engine", "default_loco.bin",
                                      "default_loco", "Default Loco", E::Diesel, kBuffer),
                               O::OutsideScan));
    list.push_back(withOutcome(engine(kDeveloper, "RailVehicles/Diesel/Prototype/Default/Engine",
                                      "prototype.bin", "prototype", "Prototype Diesel", E::Diesel, kBuffer),
                               O::OutsideScan));
    return list;
}

// Ordinary stock, one family at a time.
enum class Family { Diesel, Electric, Steam, MultipleUnit, Coach, Hopper, Tank, Flat, Box };

Family pickFamily(Random& random) {
    // Weights out of 100.
    static constexpr struct {
        Family family;
        int weight;
    } kWeights[] = {{Family::Diesel, 14},      {Family::Electric, 10}, {Family::Steam, 6},
                    {Family::MultipleUnit, 8}, {Family::Coach, 16},    {Family::Hopper, 18},
                    {Family::Tank, 12},        {Family::Flat, 8},      {Family::Box, 8}};
    int roll = random.between(1, 100);
    for (const auto& entry : kWeights) {
        if (roll <= entry.weight) {
            return entry.family;
        }
        roll -= entry.weight;
    }
    return Family::Box;
}

std::string lowerSlug(const std::string& text) {
    std::string slug;
    for (const char c : text) {
        if (c >= 'A' && c <= 'Z') {
            slug += static_cast<char>(c - 'A' + 'a');
        } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            slug += c;
        } else if (c == ' ' && !slug.empty() && slug.back() != '_') {
            slug += '_';
        }
    }
    return slug;
}

class FillerMaker {
public:
    explicit FillerMaker(Random& random) : random_(random) {}

    // One or two vehicles (a steam engine comes with its tender) numbered `number`.
    std::vector<Vehicle> make(int number) {
        static const std::vector<std::string> kLiveries{"Default",   "Blue", "Green",
                                                        "Weathered", "Red",  "Heritage"};
        static const std::vector<std::string> kBulkTypes{"Coal", "Aggregates", "Grain",
                                                         "Sand", "Iron Ore",   "Limestone"};
        static const std::vector<std::vector<std::string>> kTankPairs{
            {"Diesel Fuel", "Heating Oil"}, {"Water", "Fuel Oil"}, {"Kerosene", "Petrol"}};
        const ProductProfile& profile = regularProfile();
        const std::string livery = random_.chance(60) ? "Default" : random_.pick(kLiveries);
        const std::string suffix = livery == "Default" ? "" : " (" + livery + ")";
        const std::string n = std::to_string(number);
        const Coupling& usual = random_.pick(profile.couplings);
        const bool german = profile.germanNames;
        std::vector<Vehicle> made;
        switch (pickFamily(random_)) {
        case Family::Diesel: {
            const std::string cls = "D " + n;
            made.push_back(engine(profile.set, "RailVehicles/Diesel/" + cls + "/" + livery + "/Engine",
                                  file(cls + suffix), lowerSlug(cls + suffix),
                                  cls + (german ? " Diesellok" : " Diesel") + suffix, EngineType::Diesel,
                                  usual));
            break;
        }
        case Family::Electric: {
            const std::string cls = "E " + n;
            made.push_back(engine(profile.set, "RailVehicles/Electric/" + cls + "/" + livery + "/Engine",
                                  file(cls + suffix), lowerSlug(cls + suffix),
                                  cls + (german ? " Elektrolok" : " Electric") + suffix, EngineType::Electric,
                                  usual));
            break;
        }
        case Family::Steam: {
            const std::string cls = "Class " + n;
            const std::string base = "RailVehicles/Steam/" + cls + "/" + livery;
            Vehicle loco =
                engine(profile.set, base + "/Engine", file(cls + " loco"), lowerSlug(cls + " loco"),
                       n + (german ? " Dampflok" : " Class Steam") + suffix, EngineType::Steam, usual);
            made.push_back(loco);
            Vehicle tender =
                withCargo(wagon(profile.set, base + "/Tender", file(cls + " tender"),
                                lowerSlug(cls + " tender"), n + " Class Tender" + suffix, usual),
                          {{random_.real(5, 10, 1), "Coal"}, {random_.real(12, 25, 1), "Water"}});
            tender.kind = VehicleKind::Tender;
            made.push_back(tender);
            break;
        }
        case Family::MultipleUnit: {
            const bool electric = random_.chance(60);
            const std::string cls = (electric ? "EMU " : "DMU ") + n;
            made.push_back(withDoorways(
                engine(profile.set,
                       "RailVehicles/" + std::string(electric ? "Electric/" : "Diesel/") + cls + "/" +
                           livery + "/Engine",
                       file(cls + " motor" + suffix), lowerSlug(cls + " motor" + suffix),
                       cls + (german ? " Triebwagen" : " Motor Car") + suffix,
                       electric ? EngineType::Electric : EngineType::Diesel, profile.multipleUnitCoupling),
                random_.between(2, 4)));
            break;
        }
        case Family::Coach: {
            const std::string cls = (german ? "Personenwagen B" : "Coach B") + n;
            made.push_back(
                withDoorways(wagon(profile.set, "RailVehicles/Coaches/" + cls + "/" + livery + "/Wagon",
                                   file(cls + suffix), lowerSlug(cls + suffix), cls + suffix, usual),
                             random_.between(2, 8)));
            break;
        }
        case Family::Hopper: {
            const std::string cls = (german ? "Schüttgutwagen " : "Hopper ") + n;
            made.push_back(withCargo(wagon(profile.set, "RailVehicles/Freight/Hopper/" + cls + "/Wagon",
                                           file("hopper " + n + suffix), lowerSlug("hopper " + n + suffix),
                                           cls + suffix, usual),
                                     {{random_.real(25, 80, 0), random_.pick(kBulkTypes)}}));
            break;
        }
        case Family::Tank: {
            const std::string cls = (german ? "Kesselwagen " : "Tank ") + n;
            const auto& pair = random_.pick(kTankPairs);
            made.push_back(withCargo(
                wagon(profile.set, "RailVehicles/Freight/Tank/" + cls + "/Wagon", file("tank " + n + suffix),
                      lowerSlug("tank " + n + suffix), cls + suffix, usual),
                {{random_.real(30, 70, 1), pair[0]}, {random_.real(5, 20, 1), pair[1]}}));
            break;
        }
        case Family::Flat: {
            const std::string cls = "Flat " + n;
            Vehicle flat = wagon(profile.set, "RailVehicles/Freight/Flat/" + cls + "/Wagon",
                                 file(cls + suffix), lowerSlug(cls + suffix), cls + suffix, usual);
            made.push_back(random_.chance(50) ? emptyCargoDef(flat) : flat);
            break;
        }
        case Family::Box: {
            const std::string cls = (german ? "Gedeckter Güterwagen " : "Box Van ") + n;
            made.push_back(wagon(profile.set, "RailVehicles/Freight/Box/" + cls + "/Wagon",
                                 file("box " + n + suffix), lowerSlug("box " + n + suffix), cls + suffix,
                                 usual));
            break;
        }
        }
        return made;
    }

private:
    const ProductProfile& regularProfile() {
        // The first seven profiles are the products the scan reads.
        return profiles()[static_cast<std::size_t>(random_.between(0, 6))];
    }

    std::string file(const std::string& base) {
        return lowerSlug(base) + (random_.chance(5) ? ".BIN" : ".bin");
    }

    Random& random_;
};

void addOther(Stock& stock, OtherKind kind, const BlueprintSet& set, const std::string& id,
              const std::string& display) {
    const std::string file = blueprintFileOf(id);
    const auto slash = file.rfind('/');
    OtherBlueprint other;
    other.kind = kind;
    other.set = set;
    other.folder = file.substr(0, slash);
    other.fileName = file.substr(slash + 1);
    other.name = lowerSlug(other.fileName.substr(0, other.fileName.rfind('.')));
    other.displayName = display;
    stock.others.push_back(other);
}

std::string displayOfRef(const std::string& id) {
    std::string tail = id.substr(id.rfind('\\') + 1);
    return tail.substr(0, tail.rfind('.'));
}

// Couplings, bogies and attached scenery that the vehicles refer to, each made once, and the
// blueprints that sit beside the stock in the products.
void addOthers(Stock& stock, Random& random) {
    std::set<BlueprintRef> couplings;
    std::set<BlueprintRef> bogies;
    std::set<BlueprintRef> children;
    for (const Vehicle& v : stock.vehicles) {
        for (const Coupling* c : {&v.front, &v.rear}) {
            if (c->present && !c->ref.id.empty()) {
                couplings.insert(c->ref);
            }
        }
        bogies.insert(v.bogie);
        children.insert(v.children.begin(), v.children.end());
    }
    for (const BlueprintRef& ref : couplings) {
        addOther(stock, OtherKind::Coupling, ref.set, ref.id, displayOfRef(ref.id) + " Coupling");
    }
    for (const BlueprintRef& ref : bogies) {
        addOther(stock, OtherKind::Bogie, ref.set, ref.id, displayOfRef(ref.id) + " Bogie");
    }
    for (const BlueprintRef& ref : children) {
        addOther(stock, OtherKind::Scenery, ref.set, ref.id, displayOfRef(ref.id));
    }
    // Bogies beside the bodies: two skipped for their names, one read and found to be no vehicle.
    const std::string dr220 = "RailVehicles\\Diesel\\DR 220\\Default\\";
    addOther(stock, OtherKind::Bogie, kNordland, dr220 + "Engine\\dr220_bogie.xml", "DR 220 Bogie");
    addOther(stock, OtherKind::Bogie, kHeritage,
             "RailVehicles\\Steam\\Class 7F\\Default\\Engine\\7F_BOGEY_leading.xml", "7F Leading Bogey");
    addOther(stock, OtherKind::Bogie, kMountain,
             "RailVehicles\\Electric\\Zahnradlok\\HGe 44\\Default\\Engine\\zahnrad_truck.xml",
             "Zahnrad-Drehgestell");
    // Cab, simulation and passenger views in the folders the scan leaves out.
    addOther(stock, OtherKind::CabView, kNordland, dr220 + "CabView\\dr220_cab.xml", "DR 220 Cab");
    addOther(stock, OtherKind::Simulation, kNordland, dr220 + "Simulation\\dr220_engine.xml",
             "DR 220 Engine");
    addOther(stock, OtherKind::CabView, kHeritage, "RailVehicles\\Coaches\\Mk1\\PassengerView\\mk1_view.xml",
             "Mk1 Passenger View");
    // First-level folders the scan leaves out.
    for (const BlueprintSet& set : {kNordland, kMountain, kCore}) {
        addOther(stock, OtherKind::Scenery, set, "Scenery\\Lineside\\signal_box.xml", "Signal Box");
        addOther(stock, OtherKind::Scenery, set, "Scenery\\Lineside\\platform_lamp.xml", "Platform Lamp");
    }
    addOther(stock, OtherKind::Audio, kNordland,
             "Audio\\RailVehicles\\Diesel\\DR 220\\dr220_engine_sound.xml", "DR 220 Engine Sound");
    addOther(stock, OtherKind::Scenery, kCore, "Environment\\Sky\\sky_default.xml", "Default Sky");
    addOther(stock, OtherKind::Scenery, kCore, "RailNetwork\\Track\\track_standard.xml", "Standard Track");
    addOther(stock, OtherKind::Scenery, kMountain, "Stations\\Bergstation\\bergstation.xml", "Bergstation");

    const auto placeholder = [&random](std::size_t size) {
        std::string bytes(size, '\0');
        for (char& b : bytes) {
            b = static_cast<char>(random.next() & 0xFF);
        }
        return bytes;
    };
    const std::string dr220Folder = "RailVehicles/Diesel/DR 220/";
    stock.plainFiles.push_back({kNordland, dr220Folder + "Default/Engine/dr220.GeoPcDx", placeholder(700)});
    stock.plainFiles.push_back(
        {kNordland, dr220Folder + "Default/Textures/dr220_body.TgPcDx", placeholder(1500)});
    stock.plainFiles.push_back(
        {kNordland, dr220Folder + "Default/Engine/dr220_script.out", placeholder(300)});
    stock.plainFiles.push_back({kNordland, dr220Folder + "README",
                                "DR 220 for the sample installation.\r\nNothing in this folder is read by "
                                "the game but the blueprints.\r\n"});
    stock.plainFiles.push_back(
        {kHeritage, "RailVehicles/Steam/Class 7F/Default/Engine/7f_loco.lua",
         "-- 7F Consolidation\r\nfunction Initialise()\r\n\tCall(\"BeginUpdate\")\r\nend\r\n"});
}

} // namespace

int fixedVehicleCount() {
    return static_cast<int>(fixedVehicles().size());
}

Stock makeStock(Random& random, int units) {
    Stock stock;
    stock.vehicles = fixedVehicles();
    FillerMaker filler(random);
    for (int number = 100; static_cast<int>(stock.vehicles.size()) < units; ++number) {
        for (Vehicle& v : filler.make(number)) {
            stock.vehicles.push_back(std::move(v));
        }
    }
    for (Vehicle& v : stock.vehicles) {
        complete(v, random);
    }
    addOthers(stock, random);
    return stock;
}

} // namespace dovrel::sample
