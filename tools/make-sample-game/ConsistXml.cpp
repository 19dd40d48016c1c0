// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsistXml.h"

#include "GameXml.h"
#include "UniqueTexts.h"
#include "XmlBuilder.h"

namespace dovrel::sample {
namespace {

// The id the editor gives the record set of a user-consist file it creates.
constexpr std::uint32_t kTemplateRecordSetId = 132395920;

// The GUID texts and the vehicle numbers of the trains that fill a scenario up to a size are each
// one of this many.
constexpr std::size_t kFillerTexts = 4096;

void writeTrackFollower(XmlBuilder& x, Random& random, UniqueTexts& texts, std::string_view element,
                        double position) {
    x.open(element);
    x.open("Network-cTrackFollower", random.id());
    x.float32("Height", 0);
    x.text("_type", "cTrackFollower");
    x.float32("Position", position);
    x.int32("TrackFollowerID", random.between(1, 60000));
    x.open("RibbonID");
    x.open("Network-cNetworkRibbon-cCurveContainerUnit-cID");
    x.open("RibbonID");
    writeGuid(x, random, texts);
    x.close();
    x.close();
    x.close();
    x.close();
    x.close();
}

void writePosition(XmlBuilder& x, Random& random, double along) {
    x.open("cPosOri", random.id());
    x.floats("Scale", {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    x.open("RFarMatrix");
    x.open("cFarMatrix", random.id());
    x.float32("Height", random.real(20, 400, 3));
    const double angle = random.real(-1, 1, 6);
    x.floats("RXAxis", {angle, 0, -0.5 * angle, 0});
    x.floats("RYAxis", {0, 1, 0, 0});
    x.floats("RZAxis", {0.5 * angle, 0, angle, 0});
    x.open("RFarPosition");
    x.open("cFarVector2", random.id());
    for (const std::string_view axis : {"X", "Z"}) {
        x.open(axis);
        x.open("cFarCoordinate", random.id());
        x.int32("RouteCoordinate", random.between(-40, 40));
        x.float32("TileCoordinate", axis == "X" ? along : random.real(-1024, 1024, 3));
        x.close();
        x.close();
    }
    x.close();
    x.close();
    x.close();
    x.close();
    x.close();
}

void writeVehicleComponent(XmlBuilder& x, Random& random, UniqueTexts& texts, const ConsistVehicle& v,
                           double along) {
    x.open("Component");
    x.open(v.engine ? "cEngine" : "cWagon", random.id());
    x.text("PantographInfo", "");
    x.boolean("PantographIsDirectional", false);
    x.boolean("LastPantographControlValue", false);
    x.text("UniqueNumber", texts.vehicleNumber(random));
    x.boolean("GBSignalSystemEnabled", v.engine);
    x.float32("FollowerDistance", along);
    x.float32("TotalMass", v.mass);
    x.float32("Speed", 0);
    x.boolean("Flipped", v.flipped);
    x.float32("BrakeSystemPressure", random.real(4.8, 5.2, 2));
    x.float32("MainReservoirPressure", random.real(8, 10, 2));
    x.float32("Reverser", 0);
    x.float32("Regulator", 0);
    x.boolean("HandBrakeApplied", !v.engine && random.chance(30));
    x.boolean("Derailed", false);
    x.boolean("DisabledEngine", false);
    x.float32("AWSTimer", 0);
    x.boolean("AWSExpired", false);
    x.float32("TPWSDistance", 0);
    x.int32("CurrentSignalState", 0);
    x.float32("AxleTemperature", random.real(8, 18, 1));
    x.float32("WheelSlip", 0);
    x.float32("SandLevel", v.engine ? random.real(0.5, 1, 2) : 0.0);
    x.int32("LightState", v.engine ? 1 : 0);
    x.close();
    x.open("cAnimObjectRender", random.id());
    x.int32("DetailLevel", 7);
    x.boolean("Global", false);
    x.boolean("Saved", true);
    x.uint8("Palette0Index", 0);
    x.uint8("Palette1Index", 0);
    x.uint8("Palette2Index", 0);
    x.close();
    writePosition(x, random, along);
    x.open("cEntityContainer", random.id());
    x.floats("StaticChildrenMatrix", {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    x.close();
    x.open("cCargoComponent", random.id());
    x.boolean("IsPreLoaded", v.bulkCargoes > 0);
    x.open("InitialLevel");
    for (int i = 0; i < v.bulkCargoes; ++i) {
        x.float32("e", random.real(0, 1, 2));
    }
    x.close();
    x.close();
    x.open("cScriptComponent", random.id());
    x.boolean("DebugDisplay", false);
    x.text("StateName", v.engine ? "Engine Script Manager" : "Script Manager");
    x.close();
    x.close();
}

void writeVehicle(XmlBuilder& x, Random& random, UniqueTexts& texts, const ConsistVehicle& v, double along) {
    x.open("cOwnedEntity", random.id());
    writeVehicleComponent(x, random, texts, v, along);
    x.open("BlueprintID");
    writeAbsoluteId(x, v.ref);
    x.close();
    x.open("ReskinBlueprintID");
    writeAbsoluteId(x, BlueprintRef{});
    x.close();
    x.text("Name", v.name);
    x.open("EntityID");
    writeGuid(x, random, texts);
    x.close();
    x.close();
}

void writeDestination(XmlBuilder& x, Random& random, UniqueTexts& texts, const std::string& destination) {
    x.open("cDriverInstructionTarget", random.id());
    x.text("DisplayName", destination);
    x.boolean("Timetabled", false);
    x.int32("Performance", 0);
    x.int32("MinSpeed", 0);
    x.float32("DurationSecs", 0);
    x.text("EntityName", destination);
    x.boolean("TrainOrder", false);
    x.text("Operation", "");
    x.open("Deadline");
    x.open("cScenarioTime", random.id());
    x.float32("Time", random.real(18000, 80000, 0));
    x.close();
    x.close();
    x.boolean("PickingUp", false);
    x.uint32("Duration", 0);
    x.boolean("HandleOffPath", false);
    x.float32("EarliestDepartureTime", 0);
    x.boolean("DurationSet", false);
    x.boolean("ReversingAllowed", true);
    x.boolean("Waypoint", false);
    x.boolean("Hidden", false);
    x.text("ProgressCode", "Red");
    x.float32("ArrivalTime", 0);
    x.float32("DepartureTime", 0);
    x.float32("TickedTime", 0);
    x.float32("DueTime", 0);
    x.float32("TimingTestTime", -1);
    x.open("GroupName");
    writeLocalised(x, Localised{}, texts.guid(random));
    x.close();
    x.boolean("ShowRVNumbersWithGroup", false);
    x.boolean("ScenarioChainTarget", false);
    x.open("ScenarioChainGUID");
    writeGuid(x, random, texts);
    x.close();
    x.close();
}

void writeDriver(XmlBuilder& x, Random& random, UniqueTexts& texts, const Train& train) {
    x.open("Driver");
    if (!train.driven) {
        x.nil();
        x.close();
        return;
    }
    x.open("cDriver", random.id());
    x.open("FinalDestination");
    writeDestination(x, random, texts, train.destination);
    x.close();
    x.boolean("PlayerDriver", random.chance(20));
    x.open("ServiceName");
    Localised name;
    name.english = train.serviceName;
    writeLocalised(x, name, texts.guid(random));
    x.close();
    x.open("InitialRV");
    for (std::size_t i = 0; i < train.vehicles.size(); ++i) {
        x.text("e", texts.vehicleNumber(random));
    }
    x.close();
    x.float32("StartTime", random.real(18000, 80000, 0));
    x.float32("StartSpeed", 0);
    x.float32("EndSpeed", 0);
    x.int32("ServiceClass", random.between(1, 10));
    x.float32("ExpectedPerformance", random.real(0.6, 1, 2));
    x.boolean("PlayerControlled", false);
    x.text("PriorPathingStatus", "Pathed");
    x.text("PathingStatus", "Pathed");
    x.float32("RepathIn", 0);
    x.boolean("ForcedRepath", false);
    x.boolean("OffPath", false);
    x.float32("StartTriggerDistanceFromPlayerSquared", 0);
    x.open("DriverInstructionContainer");
    x.open("cDriverInstructionContainer", random.id());
    x.open("DriverInstruction");
    x.open("cStopAtDestinations", random.id());
    x.text("DisplayName", "Stop at " + train.destination);
    x.open("DeltaTarget");
    writeDestination(x, random, texts, train.destination);
    x.close();
    x.close();
    x.close();
    x.close();
    x.close();
    x.boolean("UnloadedAtStart", false);
    x.close();
    x.close();
}

void writeTrain(XmlBuilder& x, Random& random, UniqueTexts& texts, const Train& train) {
    x.open("cConsist", random.id());
    double length = 0;
    if (train.vehicles.empty()) {
        x.empty("RailVehicles");
    } else {
        x.open("RailVehicles");
        for (const ConsistVehicle& v : train.vehicles) {
            writeVehicle(x, random, texts, v, length);
            length += random.real(10, 26, 2);
        }
        x.close();
    }
    const double start = random.real(10, 5000, 2);
    writeTrackFollower(x, random, texts, "FrontFollower", start);
    writeTrackFollower(x, random, texts, "RearFollower", start + length);
    writeDriver(x, random, texts, train);
    x.text("InPortalName", "");
    x.int32("DriverEngineIndex", 0);
    x.open("PlatformRibbonGUID");
    writeGuid(x, random, texts);
    x.close();
    x.float32("PlatformTimeRemaining", 0);
    x.float32("MaxPermissableSpeed", random.real(20, 60, 3));
    x.open("CurrentDirection");
    x.open("cConsist-sDirection", random.id());
    x.text("DirectionState", "Forwards");
    x.close();
    x.close();
    x.uint32("IgnorePhysicsFrames", 0);
    x.boolean("IgnoreProximity", false);
    x.close();
}

void writeTemplateName(XmlBuilder& x, const std::string& name) {
    x.open("Name");
    x.open("Localisation-cUserLocalisedString");
    x.text("English", name);
    x.text("French", "");
    x.text("Italian", "");
    x.text("German", "");
    x.text("Spanish", "");
    x.empty("Other");
    x.close();
    x.close();
}

} // namespace

std::string consistTemplatesXml(const std::vector<UserConsist>& consists, Random& random) {
    XmlBuilder x("cRecordSet", kTemplateRecordSetId);
    x.open("Record");
    for (const UserConsist& consist : consists) {
        x.open("cConsistTemplate", random.id());
        writeTemplateName(x, consist.name);
        x.open("ConsistEntry");
        std::uint32_t entryId = random.id();
        for (const ConsistVehicle& v : consist.vehicles) {
            // Entries are numbered in steps of 16, as the editor numbers the entries it adds; an
            // id of 0 would not be written.
            if (entryId == 0) {
                entryId = 16;
            }
            x.open("cConsistTemplateEntry", entryId);
            entryId += 16;
            x.open("Blueprint");
            writeAbsoluteId(x, v.ref);
            x.close();
            x.boolean("Flipped", v.flipped);
            x.close();
        }
        x.close();
        x.close();
    }
    return x.finish();
}

void writeScenarioXml(const ScenarioPlan& scenario, Random& random, const std::vector<Train>& fillers,
                      Random& fillerRandom, const std::function<void(std::string)>& take) {
    // The text is handed over in pieces of about this size.
    constexpr std::size_t kPieceBytes = std::size_t{1} << 20;
    XmlBuilder x("cRecordSet", random.id(), 256 * 1024);
    x.open("Record");
    UniqueTexts fresh = UniqueTexts::fresh();
    for (const Train& train : scenario.trains) {
        writeTrain(x, random, fresh, train);
    }
    UniqueTexts fromSet = UniqueTexts::fromSet(kFillerTexts);
    for (const Train& train : fillers) {
        writeTrain(x, fillerRandom, fromSet, train);
        if (x.textSize() >= kPieceBytes) {
            take(x.takeText());
        }
    }
    take(x.finish());
}

std::string routePropertiesXml(const RoutePlan& route, Random& random) {
    XmlBuilder x("cRouteProperties", random.id());
    x.open("ID");
    writeGuid(x, random);
    x.close();
    x.open("DisplayName");
    writeLocalised(x, everywhere(route.displayName), random.guid());
    x.close();
    x.text("BlueprintID", "RouteInformation\\route.xml");
    x.boolean("IsTemplate", false);
    return x.finish();
}

std::string scenarioPropertiesXml(const ScenarioPlan& scenario, Random& random) {
    XmlBuilder x("cScenarioProperties", random.id());
    x.open("ID");
    writeGuid(x, random);
    x.close();
    x.open("DisplayName");
    writeLocalised(x, everywhere(scenario.displayName), random.guid());
    x.close();
    x.text("ScenarioClass", "eFreeRoamScenarioClass");
    x.int32("DurationMins", random.between(20, 90));
    return x.finish();
}

} // namespace dovrel::sample
