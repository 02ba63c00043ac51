#include "ColorEdits.h"

#include "History.h"
#include "model/Global.h"

#include <memory>

namespace {

class TColorEdit : public TEdit {
public:
  TColorEdit(const char *Text, TChanges Changes, void (*Set)(uint32_t), uint32_t Former,
             uint32_t Chosen)
      : TEdit(Text, Changes), FSet(Set), FFormer(Former), FChosen(Chosen) {}

protected:
  bool Do() override {
    FSet(FChosen);
    return true;
  }
  bool Undo() override {
    FSet(FFormer);
    return true;
  }

private:
  void (*FSet)(uint32_t);
  uint32_t FFormer, FChosen;
};

} // namespace

void ChangeSceneColor(uint32_t Color) {
  if (Color != Construction.SceneColor)
    PerformEdit(std::make_unique<TColorEdit>("Scene colour", ChangedSceneColor, SetSceneColor,
                                             Construction.SceneColor, Color));
}

void ChangeBaseColor(uint32_t Color) {
  if (Color != Construction.BaseColor)
    PerformEdit(std::make_unique<TColorEdit>("Base colour", ChangedBaseColor, SetBaseColor,
                                             Construction.BaseColor, Color));
}
