#include "rig/RigModels.h"

#include <hamlib/rig.h>

#include <algorithm>
#include <cctype>
#include <tuple>

#include "rig/HamlibGuard.h"
#include "rig/RigConfig.h"

namespace tarnex {

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

int AddModel(const rig_caps* caps, rig_ptr_t data) {
    auto* models = static_cast<std::vector<RigModel>*>(data);
    models->push_back({static_cast<int>(caps->rig_model), caps->mfg_name ? caps->mfg_name : "",
                       caps->model_name ? caps->model_name : ""});
    return 1;  // go on
}

std::vector<RigModel> ListModels() {
    std::vector<RigModel> models;
    {
        HamlibGuard guard;
        rig_load_all_backends();
        rig_list_foreach(AddModel, &models);
    }
    auto key = [](const RigModel& model) {
        return std::make_tuple(Lower(model.maker), Lower(model.name), model.number);
    };
    std::sort(models.begin(), models.end(),
              [&](const RigModel& a, const RigModel& b) { return key(a) < key(b); });
    models.insert(models.begin(), RigModel{kNoRadioModel, "", "Nessuna radio"});
    return models;
}

}  // namespace

const std::vector<RigModel>& RigModels() {
    static const std::vector<RigModel> models = ListModels();
    return models;
}

std::vector<RigModel> FilterRigModels(const std::vector<RigModel>& models, std::string_view text) {
    std::vector<std::string> words;
    std::string lower = Lower(text);
    for (size_t at = 0; at < lower.size();) {
        size_t end = lower.find(' ', at);
        if (end == std::string::npos) {
            end = lower.size();
        }
        if (end > at) {
            words.push_back(lower.substr(at, end - at));
        }
        at = end + 1;
    }
    std::vector<RigModel> kept;
    for (const RigModel& model : models) {
        const std::string haystack =
            Lower(model.maker + " " + model.name + " " + std::to_string(model.number));
        bool all = std::all_of(words.begin(), words.end(), [&](const std::string& word) {
            return haystack.find(word) != std::string::npos;
        });
        if (all || model.number == kNoRadioModel) {
            kept.push_back(model);
        }
    }
    return kept;
}

std::string RigModelName(int number) {
    const std::vector<RigModel>& models = RigModels();
    auto found = std::find_if(models.begin(), models.end(),
                              [number](const RigModel& model) { return model.number == number; });
    return found != models.end() ? found->Label() : "Modello " + std::to_string(number);
}

}  // namespace tarnex
