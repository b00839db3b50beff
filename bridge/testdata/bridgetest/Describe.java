package bridgetest;

import java.lang.reflect.Array;
import java.lang.reflect.Field;
import java.lang.reflect.Modifier;
import java.util.Arrays;
import java.util.Comparator;

/** A one-line dump of an object tree: public fields by name, arrays element by element. */
public final class Describe {
    private Describe() {}

    public static String of(Object value) {
        StringBuilder out = new StringBuilder();
        write(value, out);
        return out.toString();
    }

    private static void write(Object value, StringBuilder out) {
        if (value == null) {
            out.append("null");
        } else if (value.getClass().isArray()) {
            out.append('[');
            for (int index = 0; index < Array.getLength(value); index++) {
                if (index > 0) out.append(", ");
                write(Array.get(value, index), out);
            }
            out.append(']');
        } else if (value instanceof String) {
            out.append('"').append(value).append('"');
        } else if (value instanceof Number || value instanceof Boolean) {
            out.append(value);
        } else {
            writeFields(value, out);
        }
    }

    private static void writeFields(Object value, StringBuilder out) {
        Field[] fields = value.getClass().getFields();
        Arrays.sort(fields, Comparator.comparing(Field::getName));
        out.append(value.getClass().getSimpleName()).append('{');
        boolean first = true;
        for (Field field : fields) {
            if (Modifier.isStatic(field.getModifiers())) continue;
            if (!first) out.append(", ");
            first = false;
            out.append(field.getName()).append('=');
            try {
                write(field.get(value), out);
            } catch (IllegalAccessException e) {
                out.append("?");
            }
        }
        out.append('}');
    }
}
