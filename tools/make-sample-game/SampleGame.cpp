#include "SampleGame.h"

#include "Blueprints.h"
#include "ConsistPlan.h"
#include "ConsistXml.h"
#include "FixedNames.h"
#include "Random.h"
#include "SampleFolder.h"
#include "Stock.h"
#include "StockList.h"

#include "serz/Conversion.h"

#include <cstdio>
#include <stdexcept>

namespace dovrel::sample {
namespace {

// The binary form of generated XML. The XML is this program's own, so a refusal is a fault here.
std::string binaryOf(const std::string& xml, const std::string& file) {
    const serz::Result<std::string> bin = serz::convert(serz::Direction::XmlToBin, xml);
    if (!bin) {
        throw std::logic_error("the XML made for " + file + " does not convert: line " +
                               std::to_string(bin.error().position) + ": " + bin.error().message);
    }
    return bin.value();
}

// A blueprint cut short, as an interrupted copy leaves it: the first part of a good file, short
// enough that the converter stops inside it.
std::string cutShort(std::string bin) {
    bin.resize(bin.size() * 3 / 5);
    while (!bin.empty() && serz::convert(serz::Direction::BinToXml, bin)) {
        bin.pop_back();
    }
    return bin;
}

std::string productFolder(const FixedNames& names, const BlueprintSet& set) {
    return names.assets + "/" + set.provider + "/" + set.product + "/";
}

std::string inProduct(const FixedNames& names, const BlueprintSet& set, const std::string& folder,
                      const std::string& file) {
    return productFolder(names, set) + (folder.empty() ? "" : folder + "/") + file;
}

// Writes the pieces of an installation into one folder, counting them.
class InstallationWriter {
public:
    InstallationWriter(SampleFolder& folder, const FixedNames& names, Random& random)
        : folder_(folder), names_(names), random_(random) {}

    void placeholderProgram() { folder_.write("Vantor.exe", ""); }

    void stock(const Stock& stock) {
        for (const Vehicle& v : stock.vehicles) {
            const std::string file = inProduct(names_, v.set, v.folder, v.fileName);
            std::string bin = binaryOf(vehicleBlueprintXml(v, random_), file);
            if (v.outcome == Outcome::Unreadable) {
                bin = cutShort(std::move(bin));
                ++summary_.unreadableBlueprints;
            }
            folder_.write(file, bin);
            ++summary_.vehicleBlueprints;
        }
        for (const OtherBlueprint& b : stock.others) {
            const std::string file = inProduct(names_, b.set, b.folder, b.fileName);
            folder_.write(file, binaryOf(otherBlueprintXml(b, random_), file));
            ++summary_.otherBlueprints;
        }
        for (const PlainFile& plain : stock.plainFiles) {
            folder_.write(productFolder(names_, plain.set) + plain.path, plain.bytes);
        }
    }

    void consists(const ConsistPlan& plan) {
        const std::string content = names_.content + "/";
        const std::string templates = content + names_.consistTemplates;
        folder_.write(templates, binaryOf(consistTemplatesXml(plan.userConsists, random_), templates));
        summary_.userConsists = plan.userConsists.size();
        for (const RoutePlan& route : plan.routes) {
            const std::string routeFolder = content + names_.routes + "/" + route.folder + "/";
            folder_.write(routeFolder + "RouteProperties.xml", routePropertiesXml(route, random_));
            ++summary_.routes;
            if (!route.hasScenariosFolder) {
                continue;
            }
            for (const ScenarioPlan& scenario : route.scenarios) {
                const std::string scenarioFolder =
                    routeFolder + names_.scenarios + "/" + scenario.folder + "/";
                folder_.write(scenarioFolder + "ScenarioProperties.xml",
                              scenarioPropertiesXml(scenario, random_));
                if (!scenario.hasScenarioFile) {
                    continue;
                }
                const std::string file = scenarioFolder + names_.scenario;
                folder_.write(file, binaryOf(scenarioXml(scenario, random_), file));
                ++summary_.scenarios;
                summary_.scenarioConsists += scenario.trains.size();
            }
        }
    }

    Summary summary() const {
        Summary summary = summary_;
        summary.files = folder_.fileCount();
        summary.bytes = folder_.byteCount();
        return summary;
    }

private:
    SampleFolder& folder_;
    const FixedNames& names_;
    Random& random_;
    Summary summary_;
};

} // namespace

Summary makeSampleGame(const Options& options) {
    Random random(options.seed);
    const Stock stock = makeStock(random, options.units);
    const ConsistPlan plan = planConsists(stock, random);
    const FixedNames names = fixedNames(options.lowerCase);
    SampleFolder folder(options.folder);
    InstallationWriter writer(folder, names, random);
    writer.placeholderProgram();
    writer.stock(stock);
    writer.consists(plan);
    folder.finish();
    return writer.summary();
}

std::string summaryLine(const Options& options, const Summary& s) {
    char size[32];
    std::snprintf(size, sizeof size, "%.1f MB", static_cast<double>(s.bytes) / (1024.0 * 1024.0));
    return "make-sample-game: wrote " + options.folder.string() + " (seed " + std::to_string(options.seed) +
           (options.lowerCase ? ", lower case" : "") + "): " + std::to_string(s.vehicleBlueprints) +
           " vehicle blueprints (" + std::to_string(s.unreadableBlueprints) + " corrupt), " +
           std::to_string(s.otherBlueprints) + " other blueprints, " + std::to_string(s.userConsists) +
           " user consists, " + std::to_string(s.routes) + " routes with " + std::to_string(s.scenarios) +
           " scenarios and " + std::to_string(s.scenarioConsists) + " scenario consists; " +
           std::to_string(s.files) + " files, " + size;
}

} // namespace dovrel::sample
