#include "exporter/hair_scripts.h"

namespace vsf {

const std::u16string& hair_conversion_script() {
    static const std::u16string text =
        u"vistrel_hair_and_fur_data = attributes vistrel_hair_and_fur_data\n"
        u"(\n"
        u"\tparameters data\n"
        u"\t(\n"
        u"\t\tvistrel_start_radius  type:#float  default:1\n"
        u"\t\tvistrel_end_radius    type:#float  default:1\n"
        u"\t\tvistrel_delete  type:#boolean  default:True\n"
        u"\t\tvistrel_root_color type:#color\n"
        u"\t\tvistrel_tip_color type:#color\n"
        u"\t\tvistrel_hue type:#float default:10\n"
        u"\t\tvistrel_value type:#float default:50\n"
        u"\t)\n"
        u")\n"
        u"\n"
        u"for OBJ in Geometry where OBJ.modifiers[#Hair_and_Fur]!=undefined do\n"
        u"(\n"
        u"\tif OBJ != undefined do (\n"
        u"\t\troot = OBJ.modifiers[#Hair_and_Fur].HairRootThickness\n"
        u"\t\ttip = OBJ.modifiers[#Hair_and_Fur].HairTipThickness\n"
        u"\t\tname = OBJ.name\n"
        u"\t\ttc = OBJ.modifiers[#Hair_and_Fur].MaterialTipColor\n"
        u"\t\trc = OBJ.modifiers[#Hair_and_Fur].MaterialRootColor\n"
        u"\t\thv = OBJ.modifiers[#Hair_and_Fur].MaterialHueVariation\n"
        u"\t\tvv = OBJ.modifiers[#Hair_and_Fur].MaterialValueVariation\n"
        u"\t\tobj = OBJ.modifiers[#Hair_and_Fur].ConvertHairsToSplines instance:OBJ\n"
        u"\t\tobj.name = name\n"
        u"\t\tcustAttributes.add obj vistrel_hair_and_fur_data\n"
        u"\t\tobj.vistrel_start_radius = root\n"
        u"\t\tobj.vistrel_end_radius = tip\n"
        u"\t\tobj.vistrel_root_color = rc\n"
        u"\t\tobj.vistrel_tip_color =  tc\n"
        u"\t\tobj.vistrel_hue =  hv\n"
        u"\t\tobj.vistrel_value =  vv\n"
        u"\t)\n"
        u")\n";
    return text;
}

const std::u16string& hair_clean_up_script() {
    static const std::u16string text =
        u"for OBJ in Shapes where isProperty OBJ.baseObject #vistrel_delete == true do ( if OBJ "
        u"!= undefined do delete OBJ )";
    return text;
}

}  // namespace vsf
