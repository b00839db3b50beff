package jp.co.vorn.quendra.sbml;

import java.util.HashMap;
import java.util.Locale;
import java.util.Map;
import java.util.TreeSet;

/**
 * The values one annotation attribute accepts: names (compared without regard to case) and the
 * integer codes the model records carry.
 */
public final class Vocabulary {
    public static final Vocabulary SPECIE_CLASS = new Vocabulary("class")
            .names(0, "none").names(1, "DNA_gene").names(2, "DNA_promoter")
            .names(3, "DNA_enhancer").names(4, "DNA_others").names(5, "RNA")
            .names(6, "protein").names(7, "metabolite").names(8, "environmental_factor")
            .names(9, "ion_signal")
            .names(10, "complex / modifier_complex", "complex", "modifier_complex")
            .names(11, "modified").names(12, "small_molecule").names(13, "text_option")
            .names(14, "others");

    public static final Vocabulary REACTION_TYPE = new Vocabulary("type")
            .names(0, "none").names(1, "binding")
            .names(2, "binding_with_stoichiometric_changes")
            .names(3, "homo_association_or_modification")
            .names(4, "homo_association_or_modification_with_stoichiometric_changes")
            .names(5, "elimination").names(6, "elimination_with_stoichiometric_changes")
            .names(7, "reversible_conversion").names(8, "irreversible_conversion")
            .names(9, "reversible_conversion_regarding_multicomponent")
            .names(10, "irreversible_conversion_regarding_multicomponent")
            .names(11, "transport").names(12, "option_transport").names(13, "transcription")
            .names(14, "translation").names(15, "degradation");

    public static final Vocabulary LAYER = new Vocabulary("layer")
            .names(1, "Gene-Protein").names(2).names(3, "Metabolic");

    public static final Vocabulary MASS_BALANCE = onOff("massBalance");
    public static final Vocabulary TOTAL_AMOUNT = onOff("totalAmount");
    public static final Vocabulary DECOMPOSITION = onOff("decomposition");

    public static final Vocabulary CONVERTIBLE = new Vocabulary("convertible")
            .names(1, "true", "yes").names(2, "false", "no");

    public static final Vocabulary MODIFIER_TYPE = new Vocabulary("type")
            .names(1, "enzyme").names(2, "activator", "stimulator")
            .names(3, "repressor", "inhibitor");

    public static final Vocabulary IS_TOTAL = new Vocabulary("isTotal")
            .names(1, "true", "yes").names(0, "false", "no");

    private final String attribute;
    private final Map<String, Integer> byName = new HashMap<>();
    private final TreeSet<Integer> codes = new TreeSet<>();

    private Vocabulary(String attribute) {
        this.attribute = attribute;
    }

    private static Vocabulary onOff(String attribute) {
        return new Vocabulary(attribute).names(1, "ON").names(2, "OFF");
    }

    private Vocabulary names(int code, String... names) {
        codes.add(code);
        for (String name : names) byName.put(name.toLowerCase(Locale.ROOT), code);
        return this;
    }

    /** The attribute name as messages print it. */
    public String attribute() {
        return attribute;
    }

    /** The code of a name or code text, or null when the value is not in the vocabulary. */
    public Integer find(String value) {
        String key = value.trim();
        Integer named = byName.get(key.toLowerCase(Locale.ROOT));
        if (named != null) return named;
        if (!key.matches("[+-]?[0-9]{1,9}")) return null;
        int code = Integer.parseInt(key);
        return codes.contains(code) ? code : null;
    }
}
