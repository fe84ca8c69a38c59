#pragma once
// The radios Hamlib knows, for the options: "Nessuna radio" (model 0) first, then
// every model by maker and name.

#include <string>
#include <string_view>
#include <vector>

namespace tarnex {

struct RigModel {
    int number = 0;
    std::string maker;  // empty for "Nessuna radio"
    std::string name;

    // "Yaesu FT-991", or "Nessuna radio".
    std::string Label() const { return maker.empty() ? name : maker + " " + name; }
};

// Built once, on first use, and kept.
const std::vector<RigModel>& RigModels();

// The models whose maker, name or number hold every word of the text (letter case
// ignored); "Nessuna radio" always stays first.
std::vector<RigModel> FilterRigModels(const std::vector<RigModel>& models, std::string_view text);

// The label of a model number; "Modello <n>" for one Hamlib does not know.
std::string RigModelName(int number);

}  // namespace tarnex
