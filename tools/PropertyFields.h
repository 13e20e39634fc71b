#pragma once
#include "FieldTable.h"
#include "model/ColorProperty.h"
#include "model/SceneItem.h"
#include "scene/PathProperty.h"

namespace saver::tool {

// The JSON fields of the properties that several item kinds embed, and of the common head.
const FieldTable<CSceneItem>& HeadFields();
const FieldTable<CColorProperty>& ColourFields();
const FieldTable<CPathProperty>& PathFields();

}  // namespace saver::tool
