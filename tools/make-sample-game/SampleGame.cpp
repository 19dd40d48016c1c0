// SPDX-License-Identifier: GPL-3.0-or-later
#include "SampleGame.h"

#include "Blueprints.h"
#include "ConsistPlan.h"
#include "ConsistXml.h"
#include "FixedNames.h"
#include "Packing.h"
#include "Random.h"
#include "SampleFolder.h"
#include "Stock.h"
#include "StockList.h"

#include "serz/Conversion.h"
#include "serz/StreamConversion.h"
#include "serz/StringSink.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
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

// The binary form of a scenario, converted while its XML is written, so that the XML is never whole.
std::string convertedScenario(const ScenarioPlan& scenario, Random& random, const std::vector<Train>& fillers,
                              Random& fillerRandom, const std::string& file) {
    serz::StringSink output;
    serz::StreamConversion conversion(serz::Direction::XmlToBin, output);
    writeScenarioXml(scenario, random, fillers, fillerRandom,
                     [&conversion](const std::string& piece) { conversion.feed(piece); });
    if (conversion.finish() != serz::StreamOutcome::Converted) {
        throw std::logic_error("the XML made for " + file + " does not convert: line " +
                               std::to_string(conversion.error().position) + ": " +
                               conversion.error().message);
    }
    return std::move(output.text);
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

    void stock(const Stock& stock, bool packed) {
        if (packed) {
            choosePackedProducts(stock);
        }
        for (const Vehicle& v : stock.vehicles) {
            const std::string file = inProduct(names_, v.set, v.folder, v.fileName);
            std::string bin = binaryOf(vehicleBlueprintXml(v, random_), file);
            if (v.outcome == Outcome::Unreadable) {
                ++summary_.unreadableBlueprints;
            }
            ++summary_.vehicleBlueprints;
            if (isPacked(v.set)) {
                // Packed, an unreadable blueprint is a whole one whose entry is damaged.
                pack(v.set,
                     {pathInProduct(v.folder, v.fileName), std::move(bin), v.outcome == Outcome::Unreadable});
                continue;
            }
            if (v.outcome == Outcome::Unreadable) {
                bin = cutShort(std::move(bin));
            }
            folder_.write(file, bin);
        }
        for (const OtherBlueprint& b : stock.others) {
            const std::string file = inProduct(names_, b.set, b.folder, b.fileName);
            std::string bin = binaryOf(otherBlueprintXml(b, random_), file);
            ++summary_.otherBlueprints;
            if (isPacked(b.set)) {
                pack(b.set, {pathInProduct(b.folder, b.fileName), std::move(bin), false});
                continue;
            }
            folder_.write(file, bin);
        }
        for (const PlainFile& plain : stock.plainFiles) {
            if (isPacked(plain.set)) {
                pack(plain.set, {plain.path, plain.bytes, false});
                continue;
            }
            folder_.write(productFolder(names_, plain.set) + plain.path, plain.bytes);
        }
        if (packed) {
            writeArchives(stock);
        }
    }

    // Scenarios of about `megabytes` each (.bin), or 0 for the scenarios' own trains only.
    void consists(const ConsistPlan& plan, const Stock& stock, int megabytes) {
        stock_ = &stock;
        scenarioBytes_ = static_cast<std::size_t>(megabytes) << 20;
        // Each scenario's filling trains have a variation of their own, so that the rest of the
        // installation is the same as without them.
        std::uint64_t fillerSeed = Random(random_).next() ^ 0x5CE4A210F111E125;
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
                folder_.write(file, scenarioBinary(scenario, file, fillerSeed));
                fillerSeed += 2;
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
    // The scenario's binary form, filled up with random trains to about scenarioBytes_ when that
    // is set. The bytes a train adds are measured on a few, and the count of trains is then
    // corrected once by the size that count gives.
    std::string scenarioBinary(const ScenarioPlan& scenario, const std::string& file,
                               std::uint64_t fillerSeed) {
        Random start = random_;
        std::string bin = convertedScenario(scenario, random_, {}, random_, file);
        const std::size_t base = bin.size();
        if (base >= scenarioBytes_) {
            return bin;
        }
        const auto filled = [&](std::size_t trains) {
            Random own = start;
            Random trainRandom(fillerSeed);
            Random writing(fillerSeed + 1);
            return convertedScenario(
                scenario, own, randomTrains(*stock_, trainRandom, static_cast<int>(trains)), writing, file);
        };
        const auto trainsFor = [&](std::size_t trains, std::size_t bytes) {
            const double perTrain = static_cast<double>(bytes - base) / static_cast<double>(trains);
            return std::max<std::size_t>(
                1, static_cast<std::size_t>(static_cast<double>(scenarioBytes_ - base) / perTrain + 0.5));
        };
        constexpr std::size_t kProbe = 64;
        const std::size_t estimate = trainsFor(kProbe, filled(kProbe).size());
        bin = filled(estimate);
        const std::size_t corrected = trainsFor(estimate, bin.size());
        summary_.scenarioConsists += corrected;
        return corrected == estimate ? bin : filled(corrected);
    }

    static std::string pathInProduct(const std::string& folder, const std::string& file) {
        return folder.empty() ? file : folder + "/" + file;
    }

    // Every product but each fourth goes into an archive, and so does every product holding an
    // unreadable blueprint, which becomes the damaged entry.
    void choosePackedProducts(const Stock& stock) {
        std::vector<BlueprintSet> products;
        for (const Vehicle& v : stock.vehicles) {
            if (std::find(products.begin(), products.end(), v.set) == products.end()) {
                products.push_back(v.set);
            }
            if (v.outcome == Outcome::Unreadable) {
                packed_[v.set];
            }
        }
        for (std::size_t i = 0; i < products.size(); ++i) {
            if (i % 4 != 3) {
                packed_[products[i]];
            }
        }
    }

    bool isPacked(const BlueprintSet& set) const { return packed_.contains(set); }
    void pack(const BlueprintSet& set, PackedFile file) { packed_[set].push_back(std::move(file)); }

    // The first file of a product that the scan reads, when it is a catalogued vehicle's.
    static const Vehicle* firstScannedVehicle(const Stock& stock, const BlueprintSet& set) {
        const Vehicle* first = nullptr;
        for (const Vehicle& v : stock.vehicles) {
            if (v.set == set && v.outcome != Outcome::OutsideScan &&
                (first == nullptr || scannedBefore(pathInProduct(v.folder, v.fileName),
                                                   pathInProduct(first->folder, first->fileName)))) {
                first = &v;
            }
        }
        return first != nullptr && first->outcome == Outcome::Catalogued ? first : nullptr;
    }

    void writeArchives(const Stock& stock) {
        bool overridden = false;
        bool backslashes = false;
        for (auto& [set, files] : packed_) {
            std::sort(files.begin(), files.end(),
                      [](const PackedFile& a, const PackedFile& b) { return scannedBefore(a.path, b.path); });
            if (!overridden) {
                if (const Vehicle* first = firstScannedVehicle(stock, set)) {
                    // The loose file wins over its packed copy, which names itself otherwise.
                    Vehicle copy = *first;
                    copy.displayName += " (packed copy)";
                    const std::string path = pathInProduct(first->folder, first->fileName);
                    // Its own variation, so the rest of the installation stays as without --packed.
                    Random copyRandom = random_;
                    for (PackedFile& file : files) {
                        if (file.path == path) {
                            folder_.write(productFolder(names_, set) + path, file.bytes);
                            file.bytes = binaryOf(vehicleBlueprintXml(copy, copyRandom), path);
                        }
                    }
                    folder_.write(productFolder(names_, set) + "Broken.ap",
                                  "PK\x03\x04 an archive cut short");
                    overridden = true;
                }
            }
            folder_.write(productFolder(names_, set) + set.product + ".ap", zipArchive(files, backslashes));
            backslashes = !backslashes;
            ++summary_.archives;
        }
    }

    SampleFolder& folder_;
    const FixedNames& names_;
    Random& random_;
    Summary summary_;
    const Stock* stock_ = nullptr;
    std::size_t scenarioBytes_ = 0;
    std::map<BlueprintSet, std::vector<PackedFile>> packed_;
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
    writer.stock(stock, options.packed);
    writer.consists(plan, stock, options.scenarioMegabytes);
    folder.finish();
    return writer.summary();
}

std::string summaryLine(const Options& options, const Summary& s) {
    char size[32];
    std::snprintf(size, sizeof size, "%.1f MB", static_cast<double>(s.bytes) / (1024.0 * 1024.0));
    return "make-sample-game: wrote " + options.folder.string() + " (seed " + std::to_string(options.seed) +
           (options.lowerCase ? ", lower case" : "") + (options.packed ? ", packed" : "") +
           "): " + std::to_string(s.vehicleBlueprints) + " vehicle blueprints (" +
           std::to_string(s.unreadableBlueprints) + " corrupt), " + std::to_string(s.otherBlueprints) +
           " other blueprints, " + (options.packed ? std::to_string(s.archives) + " archives, " : "") +
           std::to_string(s.userConsists) + " user consists, " + std::to_string(s.routes) + " routes with " +
           std::to_string(s.scenarios) + " scenarios and " + std::to_string(s.scenarioConsists) +
           " scenario consists; " + std::to_string(s.files) + " files, " + size;
}

} // namespace dovrel::sample
