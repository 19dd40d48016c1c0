// SPDX-License-Identifier: GPL-3.0-or-later
#include "Blueprints.h"

#include "Descriptions.h"
#include "GameXml.h"
#include "XmlBuilder.h"

#include <array>
#include <string_view>

namespace dovrel::sample {
namespace {

constexpr std::size_t kBlueprintReserve = 48 * 1024;

std::string backslashed(std::string path) {
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

std::string withoutExtension(const std::string& fileName) {
    return fileName.substr(0, fileName.rfind('.'));
}

std::vector<double> identityMatrix(double x, double y, double z) {
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
}

// Name, display name and shop entry: the start of every blueprint.
void writeIdentity(XmlBuilder& x, Random& random, const std::string& name, const std::string& display,
                   const Localised& description, const std::string& category, const std::string& thumbnail) {
    x.text("Name", name);
    x.open("DisplayName");
    writeLocalised(x, everywhere(display), random.guid());
    x.close();
    x.open("BrowseInformation");
    x.open("iBlueprintLibrary-cBlueprintBrowseInformation", random.id());
    x.open("DisplayName");
    writeLocalised(x, everywhere(display), random.guid());
    x.close();
    x.text("ThumbnailImageFilename", thumbnail);
    x.open("Description");
    writeLocalised(x, description, random.guid());
    x.close();
    x.text("Category", category);
    x.empty("ValidFixedLOD");
    x.close();
    x.close();
}

void writeRender(XmlBuilder& x, Random& random, const std::string& geometry, int animations) {
    static constexpr std::array<std::string_view, 8> kAnimations{
        "Wheels", "DoorsLeft", "DoorsRight", "Wipers", "Pantograph", "Couplings", "Cylinders", "Suspension"};
    x.open("RenderComponent");
    x.open("cAnimObjectRenderBlueprint", random.id());
    x.text("GeometryID", geometry);
    x.text("CollisionGeometryID", "");
    x.boolean("Pickable", true);
    x.text("ViewType", "ExternalView");
    x.boolean("HasAlpha", false);
    x.text("ShadowType", "TwoDimensional");
    x.boolean("ShadowCaster", true);
    x.int32("DetailLevel", random.between(5, 9));
    x.float32("LODDistance", random.real(250, 1200, 0));
    x.open("AnimSet");
    for (int i = 0; i < animations && i < static_cast<int>(kAnimations.size()); ++i) {
        const std::string id(kAnimations[static_cast<std::size_t>(i)]);
        x.open("cAnimSequenceBlueprint", random.id());
        x.text("AnimID", id);
        x.text("AnimationFile", geometry + "_" + id + ".ia");
        x.boolean("Loop", i == 0);
        x.boolean("Autostart", i == 0);
        x.float32("SpeedMultiplier", random.real(0.5, 2, 2));
        x.float32("BlendTime", random.real(0, 0.5, 2));
        x.int32("KeyframeCount", random.between(12, 240));
        x.close();
    }
    x.close();
    x.close();
    x.close();
}

void writeContainer(XmlBuilder& x, Random& random, const std::vector<BlueprintRef>& children, double length) {
    x.open("ContainerComponent");
    x.open("cEntityContainerBlueprint", random.id());
    x.open("Child");
    int index = 0;
    for (const BlueprintRef& child : children) {
        for (int end = 0; end < 2; ++end) {
            x.open("cEntityContainerBlueprint-sChild", random.id());
            x.text("ChildName", "Attachment" + std::to_string(++index));
            x.open("BlueprintID");
            writeAbsoluteId(x, child);
            x.close();
            const double along = (end == 0 ? 0.5 : -0.5) * length;
            x.floats("Matrix", identityMatrix(random.real(-1.2, 1.2, 3), random.real(0.4, 3.6, 3), along));
            x.text("ChildAnimation", "");
            x.boolean("Global", false);
            x.close();
        }
    }
    x.close();
    x.close();
    x.close();
}

void writeCoupling(XmlBuilder& x, std::string_view element, const Coupling& coupling) {
    if (!coupling.present) {
        return;
    }
    x.open(element);
    writeAbsoluteId(x, coupling.ref);
    x.close();
}

void writeRailVehicle(XmlBuilder& x, Random& random, const Vehicle& v) {
    x.open("RailVehicleComponent");
    x.open("cRailVehicleComponentBlueprint", random.id());
    x.float32("Length", v.length);
    x.float32("Width", random.real(2.7, 3.1, 2));
    x.float32("Height", random.real(3.6, 4.3, 2));
    x.float32("CouplingOffset", random.real(0.4, 0.8, 3));
    writeCoupling(x, "FrontCouplingBlueprintID", v.front);
    writeCoupling(x, "RearCouplingBlueprintID", v.rear);
    x.open("BogieAssets");
    for (const double offset : {0.35, -0.35}) {
        x.open("cRailVehicleComponentBlueprint-cBogieAsset", random.id());
        x.open("BogieBlueprintID");
        writeAbsoluteId(x, v.bogie);
        x.close();
        x.float32("BogieOffset", offset * v.length);
        x.text("AnimationName", offset > 0 ? "BogieFront" : "BogieRear");
        x.close();
    }
    x.close();
    x.float32("Mass", v.mass);
    x.float32("EaseOfDerailment", random.real(0.5, 2, 2));
    x.float32("DragCoefficient", random.real(0.8, 1.6, 3));
    x.float32("RollingFrictionCoefficient", random.real(0.001, 0.004, 4));
    x.float32("DryFriction", random.real(0.28, 0.36, 3));
    x.float32("WetFriction", random.real(0.16, 0.24, 3));
    x.float32("SnowFriction", random.real(0.08, 0.14, 3));
    x.float32("SandFrictionMultiplier", random.real(1.1, 1.4, 2));
    x.int32("NumberOfAxles", v.kind == VehicleKind::Engine ? random.between(4, 6) : random.between(2, 4));
    x.float32("WheelRadius", random.real(0.42, 0.55, 3));
    x.float32("MaxSpeed", random.real(60, 200, 0));
    x.text("RVNumberTemplate", "92 80 ####-###");
    x.close();
    x.close();
}

std::string_view engineTypeText(EngineType type) {
    switch (type) {
    case EngineType::Diesel:
        return "Diesel";
    case EngineType::Electric:
        return "Electric";
    case EngineType::Steam:
        return "Steam";
    case EngineType::None:
        break;
    }
    return "";
}

void writeEngineSimulation(XmlBuilder& x, Random& random, const Vehicle& v, const std::string& folder) {
    x.open("EngineSimulationComponent");
    x.open("cEngineSimulationContainer", random.id());
    x.text("EngineSimulationFile", folder + "\\Simulation\\" + v.name + "_engine.xml");
    const double maxForce = random.real(180, 420, 0);
    x.float32("MaxTractiveEffort", maxForce);
    x.float32("MaxPower", random.real(600, 6400, 0));
    x.open("TractiveEffortVsSpeed");
    for (int step = 0; step <= 12; ++step) {
        x.open("cEngineSimulationContainer-sTractivePoint", random.id());
        x.float32("Speed", step * 10.0);
        x.float32("TractiveEffort", step == 0 ? 1.0 : 1.0 / (1.0 + 0.18 * step));
        x.close();
    }
    x.close();
    if (v.engine != EngineType::None) {
        x.text("EngineType", engineTypeText(v.engine));
    }
    x.open("BrakeSimulation");
    x.open("cBrakeSimulationBlueprint", random.id());
    x.float32("MaxBrakeForce", random.real(80, 260, 0));
    x.float32("BrakePipeCapacity", random.real(5, 6, 2));
    x.float32("ApplicationRate", random.real(0.2, 0.9, 2));
    x.float32("ReleaseRate", random.real(0.1, 0.6, 2));
    x.boolean("DynamicBrake", v.engine == EngineType::Electric || v.engine == EngineType::Diesel);
    x.close();
    x.close();
    x.close();
    x.close();
}

void writeSound(XmlBuilder& x, Random& random, const std::string& folder, int proxies) {
    static constexpr std::array<std::string_view, 10> kSounds{
        "Engine", "Horn", "Brakes", "Couple", "Wheels", "Flange", "Compressor", "Doors", "Bell", "Exhaust"};
    x.open("SoundComponent");
    x.open("cSoundComponentBlueprint", random.id());
    x.open("SoundProxies");
    for (int i = 0; i < proxies && i < static_cast<int>(kSounds.size()); ++i) {
        const std::string sound(kSounds[static_cast<std::size_t>(i)]);
        x.open("cSoundProxyBlueprint", random.id());
        x.text("ProxyName", sound);
        x.text("SoundID", "Audio\\" + folder + "\\" + sound + ".proxyxml");
        x.floats("Attenuation", {random.real(1, 5, 2), random.real(20, 60, 1), random.real(150, 400, 0), 0});
        x.floats("Position", {0, random.real(0.5, 4, 2), random.real(-8, 8, 2)});
        x.float32("Volume", random.real(0.4, 1, 2));
        x.boolean("Is3D", true);
        x.close();
    }
    x.close();
    x.close();
    x.close();
}

void writeCargo(XmlBuilder& x, Random& random, const Vehicle& v) {
    if (v.cargoLayout == CargoLayout::None) {
        return;
    }
    x.open("CargoComponent");
    x.open("cCargoComponentBlueprint", random.id());
    x.boolean("IsPreLoaded", v.kind == VehicleKind::Tender);
    x.float32("InitialLevel", v.kind == VehicleKind::Tender ? 1.0 : 0.0);
    x.open("CargoDef");
    for (const BulkCargo& cargo : v.cargo) {
        x.open("cBulkCargoDef", random.id());
        x.text("CargoName", cargo.freightType);
        x.float32("Capacity", cargo.capacity);
        x.text("BulkFreightType", cargo.freightType);
        x.float32("LoadRate", random.real(0.5, 3, 2));
        x.float32("UnloadRate", random.real(0.5, 3, 2));
        x.text("RenderProxy", "Load_" + cargo.freightType);
        x.close();
    }
    for (int door = 0; door < v.doorways; ++door) {
        x.open("cPassengerDoorwayDef", random.id());
        x.text("DoorwayName", "Door" + std::to_string(door + 1) + (door % 2 == 0 ? "L" : "R"));
        x.floats("Position", {door % 2 == 0 ? -1.4 : 1.4, 1.1,
                              (door / 2 + 0.5) * v.length / (v.doorways / 2 + 1) - v.length / 2});
        x.int32("Seats", random.between(8, 24));
        x.float32("BoardingRate", random.real(0.6, 1.5, 2));
        x.close();
    }
    x.close();
    x.close();
    x.close();
}

void writeScript(XmlBuilder& x, Random& random, const std::string& folder, const std::string& name) {
    x.open("ScriptComponent");
    x.open("cScriptComponentBlueprint", random.id());
    x.text("Script", folder + "\\" + name + "_script.out");
    x.boolean("DebugDisplay", false);
    x.close();
    x.close();
}

void writeControls(XmlBuilder& x, Random& random) {
    static constexpr std::array<std::string_view, 14> kControls{
        "Regulator",  "Reverser", "TrainBrakeControl", "EngineBrakeControl", "Horn",      "Headlights",
        "Wipers",     "Sander",   "EmergencyBrake",    "VirtualThrottle",    "DoorsOpen", "CabLight",
        "Compressor", "Startup"};
    x.open("ControlContainerComponent");
    x.open("cControlContainerBlueprint", random.id());
    x.open("ControlValues");
    for (const std::string_view control : kControls) {
        x.open("cControlValueBlueprint", random.id());
        x.text("ControlName", std::string(control));
        x.float32("Minimum", control == "Reverser" ? -1.0 : 0.0);
        x.float32("Maximum", 1);
        x.float32("InitialValue", control == "Reverser" ? 0.0 : random.real(0, 1, 1));
        x.boolean("Interpolate", control != "Horn");
        x.close();
    }
    x.close();
    x.close();
    x.close();
}

std::string_view blueprintElement(VehicleKind kind) {
    switch (kind) {
    case VehicleKind::Engine:
        return "cEngineBlueprint";
    case VehicleKind::Tender:
        return "cTenderBlueprint";
    case VehicleKind::Wagon:
        break;
    }
    return "cWagonBlueprint";
}

std::string_view otherElement(OtherKind kind) {
    switch (kind) {
    case OtherKind::Coupling:
        return "cCouplingTypeBlueprint";
    case OtherKind::Bogie:
        return "cBogeyBlueprint";
    case OtherKind::Scenery:
        return "cSceneryBlueprint";
    case OtherKind::Audio:
        return "cSoundBlueprint";
    case OtherKind::CabView:
        return "cCabViewBlueprint";
    case OtherKind::Simulation:
        break;
    }
    return "cEngineSimulationBlueprint";
}

} // namespace

std::string vehicleBlueprintXml(const Vehicle& v, Random& random) {
    const std::string folder = backslashed(v.folder);
    const std::string geometry = (folder.empty() ? "" : folder + "\\") + withoutExtension(v.fileName);
    const bool engine = v.kind == VehicleKind::Engine;
    XmlBuilder x("cBlueprintLoader", 0, kBlueprintReserve);
    x.open("Blueprint");
    x.open(blueprintElement(v.kind));
    writeIdentity(x, random, v.name, v.displayName, describe(roleOf(v), v.displayName), "RailVehicles",
                  geometry + "_thumb.png");
    x.text("CategoryPath", "RailVehicles\\" + v.set.product);
    writeRender(x, random, geometry, engine ? 8 : 4);
    writeContainer(x, random, v.children, v.length);
    writeRailVehicle(x, random, v);
    if (engine) {
        writeEngineSimulation(x, random, v, folder);
    }
    writeSound(x, random, folder, engine ? 10 : 5);
    writeCargo(x, random, v);
    writeScript(x, random, folder, v.name);
    if (engine) {
        writeControls(x, random);
    }
    x.text("CabViewBlueprintID", engine ? folder + "\\CabView\\" + v.name + "_cab.xml" : "");
    x.boolean("AIVisible", true);
    return x.finish();
}

std::string otherBlueprintXml(const OtherBlueprint& b, Random& random) {
    const std::string folder = backslashed(b.folder);
    const std::string geometry = folder + "\\" + withoutExtension(b.fileName);
    XmlBuilder x("cBlueprintLoader", 0, 8192);
    x.open("Blueprint");
    x.open(otherElement(b.kind));
    writeIdentity(x, random, b.name, b.displayName, describeAccessory(b.displayName),
                  b.kind == OtherKind::Scenery ? "Scenery" : "RailVehicles", geometry + "_thumb.png");
    switch (b.kind) {
    case OtherKind::Coupling:
        x.text("CouplingType", b.name);
        x.float32("MaxCompression", random.real(0.05, 0.2, 3));
        x.float32("MaxExtension", random.real(0.05, 0.3, 3));
        x.float32("Stiffness", random.real(2e6, 9e6, -5));
        x.float32("BreakingForce", random.real(500, 1500, 0));
        break;
    case OtherKind::Bogie:
        writeRender(x, random, geometry, 1);
        x.int32("NumberOfAxles", random.between(2, 3));
        x.float32("WheelRadius", random.real(0.42, 0.55, 3));
        x.float32("AxleSpacing", random.real(1.8, 2.6, 2));
        break;
    case OtherKind::Scenery:
        writeRender(x, random, geometry, 1);
        x.boolean("Collidable", true);
        break;
    case OtherKind::Audio:
        x.text("SoundFile", geometry + ".wav");
        x.float32("Volume", random.real(0.5, 1, 2));
        x.floats("Attenuation", {1, 25, 300, 0});
        break;
    case OtherKind::CabView:
        writeRender(x, random, geometry, 2);
        writeControls(x, random);
        break;
    case OtherKind::Simulation:
        x.float32("MaxPower", random.real(600, 4000, 0));
        x.float32("IdleRPM", random.real(300, 650, 0));
        x.float32("MaxRPM", random.real(900, 1900, 0));
        break;
    }
    return x.finish();
}

} // namespace dovrel::sample
