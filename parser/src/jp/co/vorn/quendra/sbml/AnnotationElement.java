package jp.co.vorn.quendra.sbml;

import java.util.ArrayList;
import java.util.Arrays;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import org.sbml.libsbml.SBase;
import org.sbml.libsbml.XMLNode;

/**
 * One element of our annotation namespace: its attributes (those without a namespace), its child
 * elements and its line. Misspelt attributes or elements are errors, so that no setting of the
 * modeller is silently dropped.
 */
public final class AnnotationElement {
    /** The namespace of the annotation that carries what SBML core lacks. */
    public static final String NAMESPACE = "urn:zymorax:network:1";

    private final String name;
    private final long line;
    private final String owner;
    private final Map<String, String> attributes = new LinkedHashMap<>();
    private final List<AnnotationElement> children = new ArrayList<>();

    private AnnotationElement(XMLNode node, String owner) throws ModelReadException {
        this.name = node.getName();
        this.line = node.getLine();
        this.owner = owner;
        for (int i = 0; i < node.getAttributesLength(); i++) {
            String uri = node.getAttrURI(i);
            if (uri.isEmpty() || uri.equals(NAMESPACE)) {
                attributes.put(node.getAttrName(i), node.getAttrValue(i));
            }
        }
        for (long i = 0; i < node.getNumChildren(); i++) {
            XMLNode child = node.getChild(i);
            if (!child.isElement()) continue;
            if (!NAMESPACE.equals(child.getURI())) {
                throw fault("unknown element '" + child.getName() + "' inside '" + name + "'");
            }
            children.add(new AnnotationElement(child, owner));
        }
    }

    /**
     * The element of our namespace in the annotation of an SBML object, or null when there is
     * none. Another element of our namespace there, or two of them, is an error.
     */
    public static AnnotationElement find(SBase object, String expected, String owner)
            throws ModelReadException {
        XMLNode annotation = object.getAnnotation();
        if (annotation == null) return null;
        AnnotationElement found = null;
        for (long i = 0; i < annotation.getNumChildren(); i++) {
            XMLNode child = annotation.getChild(i);
            if (!child.isElement() || !NAMESPACE.equals(child.getURI())) continue;
            AnnotationElement element = new AnnotationElement(child, owner);
            if (!element.name.equals(expected)) {
                throw element.fault("annotation element '" + element.name
                        + "' does not belong here (expected '" + expected + "')");
            }
            if (found != null) throw element.fault("more than one '" + expected + "' annotation");
            found = element;
        }
        return found;
    }

    public String name() {
        return name;
    }

    public long line() {
        return line;
    }

    public List<AnnotationElement> children() {
        return children;
    }

    /** The value of an attribute, or null when it is not given. */
    public String attribute(String key) {
        return attributes.get(key);
    }

    /** Fails on any attribute outside the allowed ones and on any child outside the allowed names. */
    public void allow(String[] attributeNames, String... childNames) throws ModelReadException {
        List<String> allowed = Arrays.asList(attributeNames);
        for (String key : attributes.keySet()) {
            if (!allowed.contains(key)) {
                throw fault("unknown attribute '" + key + "' on annotation element '" + name + "'");
            }
        }
        List<String> allowedChildren = Arrays.asList(childNames);
        for (AnnotationElement child : children) {
            if (!allowedChildren.contains(child.name)) {
                throw child.fault("unknown element '" + child.name + "' inside '" + name + "'");
            }
        }
    }

    /** The code of a vocabulary attribute, or fallback when it is not given. */
    public int code(Vocabulary vocabulary, int fallback) throws ModelReadException {
        String value = attributes.get(vocabulary.attribute());
        if (value == null) return fallback;
        Integer code = vocabulary.find(value);
        if (code == null) {
            throw fault("unknown " + vocabulary.attribute() + " '" + value + "'");
        }
        return code;
    }

    /** A required attribute. */
    public String required(String key) throws ModelReadException {
        String value = attributes.get(key);
        if (value == null || value.trim().isEmpty()) {
            throw fault("annotation element '" + name + "' needs the attribute '" + key + "'");
        }
        return value.trim();
    }

    /** A positive finite decimal number, or fallback when the attribute is not given. */
    public double positiveNumber(String key, double fallback) throws ModelReadException {
        String value = attributes.get(key);
        if (value == null) return fallback;
        String text = value.trim();
        if (text.matches("[+]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?")) {
            double number = Double.parseDouble(text);
            if (number > 0 && !Double.isInfinite(number)) return number;
        }
        throw fault(key + " '" + value + "' is not a positive number");
    }

    /** An error at this element, naming the SBML object it belongs to. */
    public ModelReadException fault(String message) {
        return ModelReadException.at(line, owner + ": " + message);
    }
}
