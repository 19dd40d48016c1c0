// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace dovrel::sample {

// What a sample installation holds below Assets: the rolling stock and the other blueprints
// that live beside it, described before any file is written.

struct BlueprintSet {
    std::string provider;
    std::string product;
    friend bool operator==(const BlueprintSet&, const BlueprintSet&) = default;
    friend auto operator<=>(const BlueprintSet&, const BlueprintSet&) = default;
};

// A reference to another blueprint as a blueprint file writes it: the set and the path of the
// blueprint's XML below the product folder, parts joined by "\" ("RailVehicles\Couplings\Buffer.xml").
struct BlueprintRef {
    BlueprintSet set;
    std::string id;
    friend bool operator==(const BlueprintRef&, const BlueprintRef&) = default;
    friend auto operator<=>(const BlueprintRef&, const BlueprintRef&) = default;
};

enum class VehicleKind { Engine, Tender, Wagon };
enum class EngineType { None, Diesel, Electric, Steam };

// What the editor's asset scan makes of a vehicle blueprint.
enum class Outcome {
    Catalogued,  // read into the catalogue
    OutsideScan, // never read: skipped provider, product, folder, level or file name
    NoCoupler,   // read, then refused for a missing or empty coupling id
    Unreadable,  // the .bin does not convert
};

struct BulkCargo {
    double capacity = 0;
    std::string freightType;
};

// Where a coupling stands in a vehicle blueprint.
struct Coupling {
    bool present = true; // false: the blueprint has no element for this coupling at all
    BlueprintRef ref;    // ref.id empty: the element is there with an empty id
};

enum class CargoLayout {
    None,          // no cargo component
    EmptyCargoDef, // a cargo component whose definitions are an empty element
    Definitions,   // bulk cargoes and passenger doorways as listed
};

struct Vehicle {
    VehicleKind kind = VehicleKind::Wagon;
    EngineType engine = EngineType::None; // engines only; None: no engine type element
    BlueprintSet set;
    std::string folder;   // below the product folder, "/" between the parts
    std::string fileName; // as on disk, extension included
    std::string name;     // the blueprint's own name
    std::string displayName;
    CargoLayout cargoLayout = CargoLayout::None;
    std::vector<BulkCargo> cargo;
    int doorways = 0;
    Coupling front;
    Coupling rear;
    BlueprintRef bogie;
    std::vector<BlueprintRef> children; // lamps and plates attached to the body
    double mass = 0;                    // tonnes
    double length = 0;                  // metres
    Outcome outcome = Outcome::Catalogued;
};

enum class OtherKind { Coupling, Bogie, Scenery, Audio, CabView, Simulation };

// A blueprint of any other kind; none of them belongs in the catalogue.
struct OtherBlueprint {
    OtherKind kind = OtherKind::Scenery;
    BlueprintSet set;
    std::string folder;
    std::string fileName;
    std::string name;
    std::string displayName;
};

// A file that is not a blueprint (geometry, textures, scripts, notes).
struct PlainFile {
    BlueprintSet set;
    std::string path; // below the product folder, "/" between the parts
    std::string bytes;
};

struct Stock {
    std::vector<Vehicle> vehicles;
    std::vector<OtherBlueprint> others;
    std::vector<PlainFile> plainFiles;
};

// The id a blueprint's XML has below its product folder: the parts joined by "\", the
// extension ".xml" in place of the file's own.
std::string blueprintId(const std::string& folder, const std::string& fileName);
std::string blueprintId(const Vehicle& vehicle);

// The file below the product folder that a blueprint id names: "\" becomes "/", ".xml" ".bin".
std::string blueprintFileOf(const std::string& id);

} // namespace dovrel::sample
